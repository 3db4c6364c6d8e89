#pragma once

// The whole public interface of the Raidsift analyser library.
#include "grammar/node.h"
