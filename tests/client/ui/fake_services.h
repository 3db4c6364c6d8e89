#pragma once

#include "protocol/account_service.h"
#include "protocol/guild_dkp_service.h"
#include "protocol/login_service.h"
#include "savekeep/backup.h"

#include <string>
#include <utility>
#include <vector>

// Services that record the client's calls and hold the answers a test sets; the test makes the
// listener calls itself.
namespace uitest {

class FakeLoginService final : public protocol::LoginService {
public:
    void login(const std::u16string& userName, const std::string& passwordDigest) override {
        logins.emplace_back(userName, passwordDigest);
    }
    void addListener(protocol::LoginListener* added) override { listener = added; }
    void removeListener(protocol::LoginListener* removed) override {
        if (listener == removed)
            listener = nullptr;
    }

    std::vector<std::pair<std::u16string, std::string>> logins;
    protocol::LoginListener* listener = nullptr;
};

class FakeAccountService final : public protocol::AccountService {
public:
    void addListener(protocol::AccountListener* added) override { listener = added; }
    void removeListener(protocol::AccountListener* removed) override {
        if (listener == removed)
            listener = nullptr;
    }
    protocol::GuildEntry getDefaultGuild() override { return defaultGuild; }
    std::vector<protocol::GuildEntry> getGuilds() override { return guilds; }
    std::u16string getUserName() override { return u"demo"; }
    std::u16string getDefaultGuildUrl() override { return defaultGuildUrl; }
    void refreshAccount() override {}
    const std::vector<protocol::DkpSystem>& getDkpSystems(const std::u16string&) override {
        return none;
    }

    protocol::AccountListener* listener = nullptr;
    protocol::GuildEntry defaultGuild;
    std::vector<protocol::GuildEntry> guilds;
    std::u16string defaultGuildUrl;
    std::vector<protocol::DkpSystem> none;
};

class FakeGuildDkpService final : public protocol::GuildDkpService {
public:
    void addListener(protocol::GuildDkpListener* added) override { listener = added; }
    void removeListener(protocol::GuildDkpListener* removed) override {
        if (listener == removed)
            listener = nullptr;
    }
    void requestGuildDkpList(const std::string& siteName, bool mainlandClient) override {
        requests.emplace_back(siteName, mainlandClient);
    }

    protocol::GuildDkpListener* listener = nullptr;
    std::vector<std::pair<std::string, bool>> requests;
};

// Lists the records a test sets, and remembers the restores and game folders it was given.
class FakeBackup final : public savekeep::IBackup {
public:
    bool restore(const std::string& data, const std::u16string& target) override {
        restored.emplace_back(data, target);
        return accept;
    }
    void getRecords(std::vector<savekeep::BackupRecord>& out) override { out = records; }
    void setInterval(std::uint32_t) override {}
    void setGameFolder(const std::u16string& folder) override { gameFolders.push_back(folder); }
    void setBackupFolder(const std::u16string&) override {}
    void setTimer(timer::ITimerService*) override {}

    std::vector<savekeep::BackupRecord> records;
    std::vector<std::pair<std::string, std::u16string>> restored;
    std::vector<std::u16string> gameFolders;
    bool accept = true;
};

} // namespace uitest
