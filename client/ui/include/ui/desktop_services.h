#pragma once

namespace usystem {
class Desktop;
}

namespace ui {

class Prompter;

// What a window needs of the desktop around it: message boxes, the browser and the folder
// dialog. The application object holds the real ones and hands them to the windows; tests give
// stand-ins that record and answer. Nothing is owned; both must outlive the windows.
struct DesktopServices {
    Prompter& prompter;
    usystem::Desktop& desktop;
};

} // namespace ui
