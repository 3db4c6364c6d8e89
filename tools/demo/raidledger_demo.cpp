// raidledger_demo: the helper of `./run demo` and `./run screens`.
//   raidledger_demo configure --game-folder DIR --guild-url URL --user NAME --password TEXT
//       stores the settings in "config.cfg" beside the program, as the settings dialog and a
//       remembered login would;
//   raidledger_demo screens --out DIR
//       logs in to the DKP site of "deployment.ini" with the stored login and saves a PNG of
//       each window, filled with what the site and the game folder give.
#include "app/qt_dispatcher.h"
#include "config/config_store.h"
#include "config/ledgerward_keys.h"
#include "protocol_binding/protocol_binding.h"
#include "screen_capture.h"
#include "ui/skin.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <QApplication>

#include <cstdio>
#include <map>
#include <string>

namespace {

using Arguments = std::map<std::string, std::string>;

bool parseArguments(int argc, char** argv, Arguments& arguments) {
    for (int i = 2; i < argc; i += 2) {
        const std::string name = argv[i];
        if (name.rfind("--", 0) != 0 || i + 1 >= argc)
            return false;
        arguments[name.substr(2)] = argv[i + 1];
    }
    return true;
}

std::u16string folderText(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder.push_back('/');
    return ustring::fromUtf8(folder);
}

int configure(Arguments& arguments) {
    config::ConfigStore store;
    config::PropertyBag* section = store.load(config::ledgerward::SectionName);
    section->set_wstring(config::ledgerward::WowFolder, folderText(arguments["game-folder"]));
    section->set_wstring(config::ledgerward::GuildUrl, ustring::fromUtf8(arguments["guild-url"]));
    section->set_string(config::ledgerward::UserName, arguments["user"]);
    section->set_string(config::ledgerward::Password, arguments["password"]);
    section->commit();
    store.destroy(section);
    std::printf("settings stored in %s\n", ufile::toNativePath(store.path()).c_str());
    return 0;
}

int screens(int argc, char** argv, Arguments& arguments) {
    QApplication application(argc, argv);
    ui::Skin skin(ui::Skin::defaultFolder());
    if (skin.load())
        application.setStyleSheet(skin.styleSheet());
    QApplication::setWindowIcon(skin.icon());

    protocol_binding::ProtocolBinding binding;
    app::QtCallbackDispatcher dispatcher;
    std::u16string error;
    if (!binding.bind(error)) {
        std::fprintf(stderr, "raidledger_demo: %s\n", ustring::toUtf8(error).c_str());
        return 1;
    }
    binding.installDispatcher(&dispatcher);
    config::ConfigStore store;
    config::PropertyBag* section = store.load(config::ledgerward::SectionName);
    const int result = captureScreens(*binding.manager(), section, &skin,
                                      QString::fromStdString(arguments["out"]));
    store.destroy(section);
    binding.unbind();
    return result;
}

} // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    const std::string command = argc > 1 ? argv[1] : "";
    if (!parseArguments(argc, argv, arguments) ||
        (command != "configure" && command != "screens")) {
        std::fprintf(stderr, "usage: raidledger_demo configure --game-folder DIR --guild-url URL "
                             "--user NAME --password TEXT\n"
                             "       raidledger_demo screens --out DIR\n");
        return 2;
    }
    return command == "configure" ? configure(arguments) : screens(argc, argv, arguments);
}
