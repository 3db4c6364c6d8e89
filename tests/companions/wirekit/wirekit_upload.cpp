// Uploads one raid document to a site through wirekit, as the client does: logs in, takes the
// account's default guild and its first DKP system, uploads, and prints
// "<event id> <DKP system id> <guild identifier>". For tests that drive a site from outside
// (the browser tests).
//
//     wirekit_upload SITE_URL USER PASSWORD EVENT_NAME DOCUMENT_FILE
#include "protocol_binding/protocol_binding.h"
#include "testsupport/queue_dispatcher.h"
#include "testsupport/recording_listeners.h"
#include "utilkit/encrypt.h"
#include "utilkit/ustring.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

using namespace wirekit_testing;

int upload(protocol::ProtocolManager& manager, testsupport::QueueDispatcher& dispatcher,
           char** argv) {
    LoginRecorder login;
    AccountRecorder account;
    manager.getLoginService()->addListener(&login);
    manager.getAccountService()->addListener(&account);
    // The digest of the password in the ANSI code page, as the client's login dialog sends it.
    manager.getLoginService()->login(
        ustring::fromUtf8(argv[2]),
        encrypt::SHA(ustring::toNarrowString(ustring::fromUtf8(argv[3]), ustring::kAnsiCodePage)));
    dispatcher.runUntil([&] { return !login.results.empty(); });
    dispatcher.runPending();
    manager.getLoginService()->removeListener(&login);
    manager.getAccountService()->removeListener(&account);
    if (login.results.empty() || login.results[0].first != 1 || account.readyCalls == 0) {
        std::cerr << "wirekit_upload: the site refused the login" << std::endl;
        return 1;
    }
    const protocol::GuildEntry guild = manager.getAccountService()->getDefaultGuild();
    if (guild.dkpSystems.empty()) {
        std::cerr << "wirekit_upload: the account's default guild has no DKP system" << std::endl;
        return 1;
    }
    std::ifstream file(argv[5], std::ios::binary);
    std::ostringstream document;
    document << file.rdbuf();
    if (!file) {
        std::cerr << "wirekit_upload: cannot read " << argv[5] << std::endl;
        return 1;
    }

    UploadRecorder recorder;
    protocol::EventUploadService* uploads = manager.getEventUploadService();
    uploads->addListener(&recorder);
    uploads->uploadEvent(guild.guildId, guild.dkpSystems[0].id, ustring::fromUtf8(argv[4]), u"",
                         ustring::fromUtf8(document.str()));
    dispatcher.runUntil([&] { return !recorder.results.empty(); });
    uploads->removeListener(&recorder);
    if (recorder.results.empty() || std::get<0>(recorder.results[0]) != 200) {
        std::cerr << "wirekit_upload: the upload failed" << std::endl;
        return 1;
    }
    std::cout << std::get<2>(recorder.results[0]) << ' ' << guild.dkpSystems[0].id << ' '
              << ustring::toUtf8(guild.guildId) << std::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::cerr << "usage: wirekit_upload SITE_URL USER PASSWORD EVENT_NAME DOCUMENT_FILE"
                  << std::endl;
        return 2;
    }
    testsupport::QueueDispatcher dispatcher;
    protocol_binding::ProtocolBinding binding;
    std::u16string error;
    if (!binding.bind(error)) {
        std::cerr << "wirekit_upload: " << ustring::toUtf8(error) << std::endl;
        return 1;
    }
    binding.installDispatcher(&dispatcher);
    binding.setSiteUrl(argv[1]);
    const int status = upload(*binding.manager(), dispatcher, argv);
    binding.unbind();
    return status;
}
