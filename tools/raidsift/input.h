#pragma once

#include <stdexcept>
#include <string>

namespace raidsift {

// A file that cannot be read; the message names it.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes of `file`, or of standard input for "-". Throws InputError, also for an input
// larger than the parser can hold (grammar::WOWLUAClipper::kMaxTextSize bytes).
std::string readInput(const std::string& file);

// The error for a file that could not be read, with the reason as far as it can be told.
InputError unreadable(const std::string& file);

} // namespace raidsift
