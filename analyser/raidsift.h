#pragma once

// The whole public interface of the Raidsift analyser library.
#include "grammar/clipper.h"
#include "grammar/node.h"
#include "grammar/partnership.h"
#include "grammar/wowluaclipper.h"
