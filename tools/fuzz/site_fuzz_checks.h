#pragma once

#include "api/api_answers.h"
#include "api/dkp_list_text.h"
#include "records/raid_document.h"
#include "store/site_store.h"

#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <string_view>

// What the site's fuzz targets check of an input, shared with the tests that replay their
// corpora. Each check gives what went wrong, or nothing.
namespace site_fuzz {

inline std::string checkRaidDocument(std::string_view bytes) {
    std::string error;
    const auto raid = dkpsite::parseRaidDocument(bytes, error);
    if (!raid)
        return error.empty() ? "a refused document without a reason" : "";
    auto beyond = [](long long value) {
        return value > dkpsite::kMaxDocumentNumber || value < -dkpsite::kMaxDocumentNumber;
    };
    for (const dkpsite::RaidMember& member : raid->members)
        if (beyond(member.level))
            return "a level beyond the limit was accepted";
    for (const dkpsite::RaidKill& kill : raid->kills)
        if (beyond(kill.dkp))
            return "kill points beyond the limit were accepted";
    for (const dkpsite::RaidLoot& loot : raid->loot)
        if (beyond(loot.count) || beyond(loot.costs))
            return "a loot number beyond the limit was accepted";
    return "";
}

// A site in memory with one user in one guild with one DKP system, fed request bodies as the
// login and upload requests would carry them, and as the raid document of an upload.
class SiteRequests {
public:
    static constexpr std::int64_t kNowMs = 1'700'000'000'000;

    SiteRequests()
        : store_(std::make_unique<dkpsite::SiteStore>(":memory:", 1)),
          throttle_(std::make_unique<dkpsite::LoginThrottle>(*store_)),
          work_(std::make_unique<dkpsite::PasswordWork>(1, 1)),
          logins_(std::make_unique<dkpsite::LoginGate>(*store_, *throttle_, *work_, 1)) {
        const std::int64_t user = store_->addUser("leader", "digest");
        const std::int64_t guild = store_->addGuild("Guild", "guild_dkp", 0);
        system_ = store_->addDkpSystem(guild, "Main");
        store_->addMembership(user, guild, true);
        token_ = store_->login("leader", "digest", kNowMs).value_or("");
    }

    dkpsite::SiteStore& store() { return *store_; }
    const std::string& token() const { return token_; }

    std::string check(std::string_view bytes) {
        if (std::string wrong = checkAnswer(dkpsite::answerLogin(*logins_, bytes, "", kNowMs),
                                            {200, 400, 401, 429});
            !wrong.empty())
            return "login: " + wrong;
        if (std::string wrong = checkUpload(bytes); !wrong.empty())
            return "upload body: " + wrong;
        const nlohmann::json wrapped = {{"guildId", "Guild"},
                                        {"dkpId", system_},
                                        {"name", "event"},
                                        {"note", ""},
                                        {"document", std::string(bytes)}};
        const std::string body =
            wrapped.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        if (std::string wrong = checkUpload(body); !wrong.empty())
            return "upload document: " + wrong;
        return "";
    }

private:
    static std::string checkAnswer(const dkpsite::ApiAnswer& answer, std::set<int> expected) {
        if (!expected.count(answer.status))
            return "unexpected status " + std::to_string(answer.status);
        const auto body = nlohmann::json::parse(answer.body, nullptr, false);
        return body.is_object() ? "" : "an answer that is not a JSON object";
    }

    // An accepted upload must leave a guild list that can still be made.
    std::string checkUpload(std::string_view body) {
        const dkpsite::ApiAnswer answer = dkpsite::answerUpload(*store_, token_, body, kNowMs);
        if (std::string wrong = checkAnswer(answer, {200, 400, 401, 403, 404}); !wrong.empty())
            return wrong;
        if (answer.status == 200)
            dkpsite::formatDkpList(0, {{{system_, "Main"}, store_->standings(system_)}});
        return "";
    }

    std::unique_ptr<dkpsite::SiteStore> store_;
    std::unique_ptr<dkpsite::LoginThrottle> throttle_;
    std::unique_ptr<dkpsite::PasswordWork> work_;
    std::unique_ptr<dkpsite::LoginGate> logins_;
    std::int64_t system_ = 0;
    std::string token_;
};

} // namespace site_fuzz
