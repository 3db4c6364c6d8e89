#pragma once

#include "grammar/wowluaclipper.h"

// The parsers behind the commands. Every command but `tree --reference` uses FastClipper;
// `tree --reference` always uses the literal clipper, the oracle for any faster one.
namespace raidsift {

using ReferenceClipper = grammar::ReferenceWOWLUAClipper;
using FastClipper = grammar::WOWLUAClipper;

} // namespace raidsift
