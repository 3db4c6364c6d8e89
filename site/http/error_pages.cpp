#include "http/error_pages.h"

#include "web/html_text.h"

#include <nlohmann/json.hpp>

namespace dkpsite {

namespace {

bool isProtocolPath(const std::string& path) {
    return path.rfind("/api/", 0) == 0;
}

std::string defaultMessage(int status) {
    switch (status) {
    case 400:
        return "malformed request";
    case 401:
        return "not logged in";
    case 403:
        return "not allowed";
    case 404:
        return "no such page";
    case 405:
        return "method not allowed";
    case 413:
        return "request body too large";
    case 429:
        return "too many attempts; try again later";
    default:
        return status >= 500 ? "internal error" : "request refused";
    }
}

} // namespace

void answerError(const httplib::Request& req, httplib::Response& res, int status,
                 const std::string& message) {
    res.status = status;
    if (isProtocolPath(req.path)) {
        const nlohmann::json body = {{"status", status}, {"result", 0}, {"message", message}};
        res.set_content(body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace),
                        "application/json; charset=utf-8");
        return;
    }
    res.set_content(htmlPage(std::to_string(status) + " · " + message, ""),
                    "text/html; charset=utf-8");
}

void installErrorPages(httplib::Server& server) {
    const httplib::Server::HandlerWithResponse answer = [](const httplib::Request& req,
                                                           httplib::Response& res) {
        if (res.body.empty())
            answerError(req, res, res.status, defaultMessage(res.status));
        return httplib::Server::HandlerResponse::Handled;
    };
    server.set_error_handler(answer);
}

} // namespace dkpsite
