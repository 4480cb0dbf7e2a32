#pragma once

// The wizard's fourteen steps in the order the driver walks them. The numbers
// are the indices of the page slots in SetupContext; None and Reserved never
// name a page, Completion is the step after the finish page that opens the
// readme and starts the application.
enum class PageIndex : int {
    None = 0,
    Language = 1,
    Welcome = 2,
    License = 3,
    Readme = 4,
    UserInfo = 5,
    TargetDirectory = 6,
    ProgramGroup = 7,
    IconOptions = 8,
    Start = 9,
    Progress = 10,
    Finish = 11,
    Reserved = 12,
    Completion = 13,
};
