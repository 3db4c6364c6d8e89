#pragma once

// Marks the classes and functions that Raidsift exports; everything else stays hidden. Windows
// exports them from Raidsift.dll and imports them into its users.
#if defined(_WIN32) && defined(RAIDSIFT_BUILDING)
#define RAIDSIFT_API __declspec(dllexport)
#elif defined(_WIN32)
#define RAIDSIFT_API __declspec(dllimport)
#elif defined(RAIDSIFT_BUILDING)
#define RAIDSIFT_API __attribute__((visibility("default")))
#else
#define RAIDSIFT_API
#endif
