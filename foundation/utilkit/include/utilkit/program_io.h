#pragma once

#include <string>
#include <vector>

// What a command-line program receives and writes, the same on every system.
namespace utilkit {

// The program's arguments after its name, in UTF-8: as given on Linux, read from the wide
// command line on Windows (whose narrow arguments lose every character outside the ANSI code
// page).
std::vector<std::string> programArguments(int argc, char** argv);

// Makes standard input, output and error carry bytes unchanged: Windows would otherwise write
// CR LF for LF and stop reading at Ctrl-Z.
void useBinaryStandardStreams();

} // namespace utilkit
