#pragma once

#include "ui/prompter.h"
#include "utilkit_gui/usystem.h"

#include <QString>

#include <deque>
#include <string>
#include <vector>

// Stand-ins for the desktop, handed to the windows under test as their desktop services
// (`{prompter, desktop}`): they record what the windows showed or opened and give the answers
// the test queued.
namespace testsupport {

struct ShownMessage {
    QString text;
    QString caption;
    ui::MessageIcon icon;
};

class RecordingPrompter final : public ui::Prompter {
public:
    void message(QWidget* parent, const QString& text, const QString& caption,
                 ui::MessageIcon icon) override;
    bool question(QWidget* parent, const QString& text, const QString& caption) override;

    std::vector<ShownMessage> messages;
    std::vector<QString> questions;
    std::deque<bool> answers; // empty: answer No
};

class FakeDesktop final : public usystem::Desktop {
public:
    void openUrl(std::u16string_view url) override;
    std::u16string chooseFolder() override;

    std::vector<std::u16string> openedUrls;
    std::deque<std::u16string> folders; // empty: cancelled
    int folderDialogs = 0;
};

} // namespace testsupport
