#pragma once

#include <httplib.h>
#include <string>

namespace dkpsite {

// The updater's files (`--updates DIR`), served under /update/. Only regular files inside the
// folder are served: a path with an empty, "." or ".." piece or a backslash, or one that leads
// outside the folder (through a link), answers 404, as does every path when no folder is set.
// `relativePath` is the path after /update/.
void serveUpdateFile(const std::string& folder, const std::string& relativePath,
                     const httplib::Request& req, httplib::Response& res);

} // namespace dkpsite
