#include "web/import_pages.h"

#include "records/raid_log_xml.h"
#include "store/guild_archive.h"
#include "web/page_request.h"
#include "web/refusal_text.h"

namespace dkpsite {

namespace {

// An event's name, as the upload dialog takes it.
constexpr std::size_t kMaxEventNameBytes = document_limits::kTitle;

Origin webOrigin(const PageVisit& visit) {
    return Origin{visit.user, EntrySource::Web, visit.address, visit.nowMs};
}

} // namespace

ImportPages::ImportPages(SiteStore& store, const SitePages& pages) : store_(store), pages_(pages) {}

std::string ImportPages::text(const httplib::Request& req, const std::string& key) const {
    return pages_.renderer().text(requestLanguage(req), key);
}

std::string ImportPages::reason(const httplib::Request& req, const Refusal& refusal) const {
    return refusalText(pages_.renderer(), requestLanguage(req), refusal);
}

void ImportPages::refuse(const httplib::Request& req, httplib::Response& res,
                         const PageVisit& visit, int status, const std::string& message) const {
    pages_.answerMessage(req, res, visit, status, text(req, "import_refused_title"), message);
}

void ImportPages::importGuild(const std::string& site, const httplib::Request& req,
                              httplib::Response& res, const PageVisit& visit) const {
    const auto guild = store_.guildBySite(site);
    if (!guild)
        return refuse(req, res, visit, 404, text(req, "no_guild"));
    const std::string archive = formValue(req, "archive");
    if (archive.empty())
        return refuse(req, res, visit, 400, text(req, "import_no_file"));
    try {
        importIntoGuild(store_.database(), guild->rowId, archive, webOrigin(visit));
    } catch (const ArchiveError& error) {
        return refuse(req, res, visit, 400,
                      text(req, "import_guild_refused") + " " + reason(req, error.refusal));
    }
    res.set_redirect("/" + guild->site + "/officer?done=imported", 303);
}

void ImportPages::importRaidLog(const std::string& site, const httplib::Request& req,
                                httplib::Response& res, const PageVisit& visit) const {
    const auto guild = store_.guildBySite(site);
    if (!guild)
        return refuse(req, res, visit, 404, text(req, "no_guild"));
    // The form's parts, not query parameters: the form sends a file.
    const std::string dkp = formValue(req, "dkp");
    const SiteDkpSystem* system = nullptr;
    for (const SiteDkpSystem& candidate : guild->systems)
        if (dkp == std::to_string(candidate.id))
            system = &candidate;
    if (system == nullptr)
        return refuse(req, res, visit, 404, text(req, "no_guild"));
    if (system->archived())
        return refuse(req, res, visit, 409, text(req, "system_archived_refusal"));
    const std::string points = trimmed(formValue(req, "points"));
    const std::string name = trimmed(formValue(req, "name"));
    if (points.empty() || points.size() > 7 ||
        points.find_first_not_of("0123456789") != std::string::npos ||
        std::stoll(points) > kMaxDocumentNumber)
        return refuse(req, res, visit, 400, text(req, "raid_import_points"));
    if (name.size() > kMaxEventNameBytes)
        return refuse(req, res, visit, 400, text(req, "raid_import_long_name"));
    const std::string xml = formValue(req, "raidlog");
    if (xml.empty())
        return refuse(req, res, visit, 400, text(req, "import_no_file"));

    Refusal error;
    auto raid = raidFromLogXml(xml, RaidLogRules{std::stoll(points)}, error);
    if (!raid)
        return refuse(req, res, visit, 400,
                      text(req, "raid_import_refused") + " " + reason(req, error));
    NewEvent event;
    event.guildId = guild->guildId;
    event.dkpId = system->id;
    event.name = name.empty() ? raid->zone + " " + raid->start : name;
    event.document = raidDocumentText(*raid);
    event.raid = std::move(*raid);
    event.sameRaidIsRepeat = true;
    UploadResult result;
    try {
        result = store_.storeEvent(visit.sessionToken, event, visit.nowMs, visit.address);
    } catch (const LedgerError& e) {
        return refuse(req, res, visit, 400,
                      text(req, "raid_import_refused") + " " + reason(req, e.refusal));
    }
    switch (result.outcome) {
    case UploadOutcome::Created:
    case UploadOutcome::AlreadyStored:
        return res.set_redirect(eventPageAddress(result.eventId, system->id, guild->guildId), 303);
    case UploadOutcome::ArchivedDkpSystem:
        return refuse(req, res, visit, 409, text(req, "system_archived_refusal"));
    case UploadOutcome::NotLoggedIn:
    case UploadOutcome::UnknownGuild:
    case UploadOutcome::UnknownDkpSystem:
        break;
    }
    refuse(req, res, visit, 403, text(req, "no_guild"));
}

} // namespace dkpsite
