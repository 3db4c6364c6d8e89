#pragma once

// The version of Raidsift's public interface. The major number changes when a program built
// against an earlier version must be rebuilt (a class's layout or a function's signature
// changed), the minor number when something is only added. The README says what changed.
#define RAIDSIFT_VERSION_MAJOR 2
#define RAIDSIFT_VERSION_MINOR 0
