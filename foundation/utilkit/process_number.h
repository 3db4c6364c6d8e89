#pragma once

// What the whole-file replace needs to know about processes, from the system at hand.
namespace ufile::process {

// The number of the running process.
long long current();

// True when a process of that number exists (another user's included).
bool isRunning(long long number);

} // namespace ufile::process
