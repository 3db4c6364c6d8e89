#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace dkpsite {

// Who opens a page and what they may do there, as the route table found it: the signed-in user
// (or nobody), whether they may change the guild the page is about, and where and when they
// ask.
struct PageVisit {
    std::string user; // empty: nobody is signed in
    bool officer = false;
    bool guildAdmin = false;
    std::string sessionToken;
    std::string address;
    std::int64_t nowMs = 0;
    // The CSRF token the page's forms carry; for a visitor without a session it also sets the
    // form cookie the token is bound to, so it is asked for only by pages with forms.
    std::function<std::string()> formToken;

    bool signedIn() const { return !user.empty(); }
};

} // namespace dkpsite
