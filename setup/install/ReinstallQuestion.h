#pragma once

// The question the reinstall test asks when the product is already installed.
// The wizard answers it with its reinstall dialog; tests answer for the user.
class ReinstallQuestion {
public:
    enum Answer {
        RemoveFirst, // start the old uninstaller and end this setup
        InstallOver, // install into the old folder and program group
        Cancel,      // end this setup now
    };

    virtual ~ReinstallQuestion() = default;
    virtual Answer ask() = 0;
};
