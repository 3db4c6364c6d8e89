#pragma once

#include <QFont>

#include <string>
#include <string_view>

// The desktop operations of the utility library. They go through a replaceable `Desktop`, so
// that tests (and programs without a desktop) can answer them; the default one uses Qt.
namespace usystem {

class Desktop {
public:
    virtual ~Desktop() = default;
    // Opens the address in the user's browser.
    virtual void openUrl(std::u16string_view url) = 0;
    // The folder the user picked, with "/" separators and no trailing one; empty when cancelled.
    virtual std::u16string chooseFolder() = 0;
};

// The desktop in use; a null pointer restores the Qt one. The caller keeps ownership.
void setDesktop(Desktop* desktop);
Desktop& desktop();

void OpenURL(std::u16string_view url);
std::u16string OpenFolderDialog();
// The default interface font.
QFont GetDefaultLF();

} // namespace usystem
