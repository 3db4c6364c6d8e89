#pragma once

#include "web/page_data.h"
#include "web/page_renderer.h"
#include "web/page_visit.h"

#include <cstdint>
#include <functional>
#include <httplib.h>

namespace dkpsite {

// The pages a browser opens, one handler each. Every page is made from a template; the
// handlers only gather the values.
class SitePages {
public:
    SitePages(PageData& data, std::function<std::int64_t()> clock);

    // `/`: the public guilds, log in and register.
    void home(const httplib::Request& req, httplib::Response& res, const PageVisit& visit) const;
    // `/forumdisplay.php?fid=…`, `/forum-N-M.html`: installing, uploading, how points count.
    void help(const httplib::Request& req, httplib::Response& res, const PageVisit& visit) const;
    // `/<site name>[?dkp=&sort=&order=&class=&q=]`: a DKP system's standings, the latest
    // raids and loot.
    void guild(const std::string& site, const httplib::Request& req, httplib::Response& res,
               const PageVisit& visit) const;
    // `/<site name>/member?name=…[&dkp=…]`: a player's points over time, why they changed,
    // attendance and loot.
    void member(const std::string& site, const httplib::Request& req, httplib::Response& res,
                const PageVisit& visit) const;
    // `/event.do?method=event_info&eventid=…[&dkpid=…&guildid=…]`.
    void event(const httplib::Request& req, httplib::Response& res, const PageVisit& visit) const;
    // `/wow/s.php?n=<name>`: who received the items whose name holds the text.
    void itemSearch(const httplib::Request& req, httplib::Response& res,
                    const PageVisit& visit) const;
    // `/language?set=zh|en&back=<address>`: remembers the choice, then goes back.
    void chooseLanguage(const httplib::Request& req, httplib::Response& res,
                        const PageVisit& visit) const;
    // `/site.css`.
    void stylesheet(const httplib::Request& req, httplib::Response& res,
                    const PageVisit& visit) const;
    // A page that says there is nothing at the address.
    void notFound(const httplib::Request& req, httplib::Response& res,
                  const PageVisit& visit) const;

    // Answers with the page of templates/<name>.mustache; an empty title is the page's own
    // (the text <name>_title).
    void answer(const httplib::Request& req, httplib::Response& res, const PageVisit& visit,
                const std::string& name, const std::string& title, TemplateValues values) const;
    // Answers `status` with a page that says `message`.
    void answerMessage(const httplib::Request& req, httplib::Response& res, const PageVisit& visit,
                       int status, const std::string& title, const std::string& message) const;
    const PageRenderer& renderer() const { return renderer_; }

private:
    void answerMissing(const httplib::Request& req, httplib::Response& res, const PageVisit& visit,
                       const std::string& messageKey) const;

    PageData& data_;
    std::function<std::int64_t()> clock_;
    PageRenderer renderer_;
};

// Headers every page and its stylesheet carry: a Content-Security-Policy that allows no
// script and no framing, and no content-type guessing.
void setPageSecurityHeaders(httplib::Response& res);

} // namespace dkpsite
