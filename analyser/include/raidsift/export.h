#pragma once

// Marks the classes and functions that Raidsift exports; everything else stays hidden.
#if defined(RAIDSIFT_BUILDING)
#define RAIDSIFT_API __attribute__((visibility("default")))
#else
#define RAIDSIFT_API
#endif
