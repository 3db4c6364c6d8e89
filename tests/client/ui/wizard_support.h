#pragma once

// Helpers for the upload wizard's tests: stand-in protocol services and a way to act on modal
// dialogs from inside their event loops.
#include "protocol/account_service.h"
#include "protocol/event_upload_service.h"

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}
QT_END_NAMESPACE

namespace wizardtest {

class FakeAccountService final : public protocol::AccountService {
public:
    void addListener(protocol::AccountListener*) override {}
    void removeListener(protocol::AccountListener*) override {}
    protocol::GuildEntry getDefaultGuild() override {
        return guilds.empty() ? protocol::GuildEntry{} : guilds[0];
    }
    std::vector<protocol::GuildEntry> getGuilds() override { return guilds; }
    std::u16string getUserName() override { return u"tester"; }
    std::u16string getDefaultGuildUrl() override { return {}; }
    void refreshAccount() override {}
    // The service's own list for the guild: `dkpLists` when it has one, else the guild's entry.
    const std::vector<protocol::DkpSystem>& getDkpSystems(const std::u16string& guildId) override {
        if (auto found = dkpLists.find(guildId); found != dkpLists.end())
            return found->second;
        for (const protocol::GuildEntry& guild : guilds)
            if (guild.guildId == guildId)
                return guild.dkpSystems;
        return none_;
    }

    std::vector<protocol::GuildEntry> guilds;
    std::map<std::u16string, std::vector<protocol::DkpSystem>> dkpLists;

private:
    std::vector<protocol::DkpSystem> none_;
};

struct SentEvent {
    std::u16string guildId;
    std::uint32_t dkpSystemId;
    std::u16string name;
    std::u16string note;
    std::u16string document;
};

class FakeUploadService final : public protocol::EventUploadService {
public:
    void uploadEvent(const std::u16string& guildId, std::uint32_t dkpSystemId,
                     const std::u16string& eventName, const std::u16string& eventNote,
                     const std::u16string& raidDocument) override {
        sent.push_back({guildId, dkpSystemId, eventName, eventNote, raidDocument});
    }
    void addListener(protocol::EventUploadListener* listener) override {
        listeners.push_back(listener);
    }
    void removeListener(protocol::EventUploadListener* listener) override {
        std::erase(listeners, listener);
    }
    void answer(std::int32_t status, std::int32_t eventId) {
        for (protocol::EventUploadListener* listener :
             std::vector<protocol::EventUploadListener*>(listeners))
            listener->onUploadResult(status, 0, eventId);
    }

    std::vector<SentEvent> sent;
    std::vector<protocol::EventUploadListener*> listeners;
};

// Runs `action` once a modal dialog of type `Dialog` is shown, from inside that dialog's event
// loop. Gives up (and fails the test) after about ten seconds without one.
template <typename Dialog> void whenShown(std::function<void(Dialog*)> action) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        const bool ready = dialog && dialog->isVisible();
        if (!ready && ++*tries < 2000)
            return;
        timer->stop();
        timer->deleteLater();
        if (ready) {
            action(dialog);
            return;
        }
        if (QWidget* other = QApplication::activeModalWidget())
            other->close();
        ADD_FAILURE() << "no modal " << Dialog::staticMetaObject.className() << " was shown";
    });
    timer->start();
}

} // namespace wizardtest
