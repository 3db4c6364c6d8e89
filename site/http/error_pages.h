#pragma once

#include <httplib.h>
#include <string>

namespace dkpsite {

// Fills `res` with the site's answer for an error: for the protocol's addresses (/api/…) a JSON
// body ({"status": S, "result": 0, "message": M}), for everything else an HTML page.
void answerError(const httplib::Request& req, httplib::Response& res, int status,
                 const std::string& message);

// Makes every error answer that no handler gave a body (an unknown address, an exception) an
// answer of answerError.
void installErrorPages(httplib::Server& server);

} // namespace dkpsite
