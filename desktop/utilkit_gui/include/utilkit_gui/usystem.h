#pragma once

#include <QFont>

#include <string>
#include <string_view>

// The desktop operations of the utility library. Windows reach them through a `Desktop` they are
// given, so that tests (and programs without a desktop) can answer them; `QtDesktop` is the
// user's own desktop, through the functions below.
namespace usystem {

class Desktop {
public:
    virtual ~Desktop() = default;
    // Opens the address in the user's browser.
    virtual void openUrl(std::u16string_view url) = 0;
    // The folder the user picked, with "/" separators and no trailing one; empty when cancelled.
    virtual std::u16string chooseFolder() = 0;
};

class QtDesktop final : public Desktop {
public:
    void openUrl(std::u16string_view url) override;
    std::u16string chooseFolder() override;
};

void OpenURL(std::u16string_view url);
std::u16string OpenFolderDialog();
// The default interface font.
QFont GetDefaultLF();

} // namespace usystem
