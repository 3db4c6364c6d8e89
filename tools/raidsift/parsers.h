#pragma once

#include "grammar/wowluaclipper.h"

// The parsers behind the commands. Every command but `tree --reference` uses FastClipper;
// `tree --reference` always uses the literal clipper, the oracle for any faster one.
namespace raidsift {

using ReferenceClipper = grammar::WOWLUAClipper;
using FastClipper = grammar::WOWLUAClipper; // the one line to change for a faster parser

} // namespace raidsift
