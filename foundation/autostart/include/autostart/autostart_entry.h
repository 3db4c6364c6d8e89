#pragma once

#include <string>

namespace autostart {

// Registers the launcher "Ledgerboot" beside the running program to start with the user's
// session. On Windows that is the string value "TALLYRA" of the machine-wide Run key
// (HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run); elsewhere the autostart
// entry "TALLYRA.desktop" in the autostart folder of the user's configuration ($XDG_CONFIG_HOME,
// by default ~/.config). The class holds no state; every operation reads or writes the entry
// itself and reports no errors.
class AutostartEntry {
public:
    // True when the entry exists, is not hidden, and starts exactly `expectedCommand()`.
    bool isRegistered() const;
    // True when the entry exists and is not hidden, whatever it starts: automatic start was
    // chosen, possibly for a program folder that has moved since.
    bool isChosen() const;
    // On: writes the entry unless it is registered already (an entry that starts anything else
    // is replaced). Off: removes the entry.
    void setRegistered(bool on) const;

    // The program folder followed by "Ledgerboot" ("Ledgerboot.exe" on Windows, with the
    // system's backslashes).
    static std::u16string expectedCommand();
    // Where the entry lives (on Windows the registry key followed by the value's name).
    static std::u16string entryPath();
};

} // namespace autostart
