#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>

// Faults a test brings about in a forked child of its own, so that the test process itself keeps
// its limits and rights: a full disk (the file size limit), a writer killed in the middle of a
// write (the same limit, with its signal), and a user without root's rights.
namespace testsupport {

// Runs `work` in a forked child, which exits with what `work` returns, and waits for it. The
// child's status as waitpid reports it (-1 when the child could not be started).
int inChild(const std::function<int()>& work);
// The exit code of a child that exited, -1 for one that did not.
int exitCodeOf(int status);

// In a child: files may not grow beyond `bytes`. A write beyond it fails (SIGXFSZ ignored), as on
// a full disk. False when the limit could not be set.
bool limitFileSize(std::size_t bytes);
// In a child: the same limit, but a write beyond it ends the process with SIGXFSZ in the middle
// of that write, as a crash or a power cut would (no core file is written). False when the limit
// could not be set.
bool dieOnFileSize(std::size_t bytes);

// In a child: gives up root's rights (to the user "nobody"), so that permission bits apply to it
// as to every other user. True when it did, or when the process was not root's.
bool dropToOrdinaryUser();

} // namespace testsupport
