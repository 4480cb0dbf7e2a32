#pragma once

#include "setup/records/helpers/ComPointer.h"
#include "setup/wizard/framework/WindowObject.h"

#include <ole2.h>
#include <olectl.h>

#include <string>

// A borderless window exactly the size of a picture, centred on the screen,
// shown before the wizard starts.
class SplashWindow : public WindowObject {
public:
    // Registers the splash window class. Throws WinException "RegisterClassEx".
    static void registerClass();

    // Loads the picture and creates the window, hidden, owned by `owner` and
    // centred on the screen. False when the picture does not load or the
    // window cannot be made; nothing is reported.
    bool create(HWND owner, const std::string& picturePath);

protected:
    void onPaint() override;

private:
    ComPointer<IPicture> picture_;
    bool loaded_ = false;
};
