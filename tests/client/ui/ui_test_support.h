#pragma once

#include "ui/prompter.h"
#include "utilkit_gui/usystem.h"

#include <QString>

#include <deque>
#include <string>
#include <vector>

// Stand-ins for the desktop while a test runs: they record what the code showed or opened and
// give the answers the test queued. Each installs itself on construction and restores the Qt
// one when destroyed.
namespace uitest {

struct ShownMessage {
    QString text;
    QString caption;
    ui::MessageIcon icon;
};

class RecordingPrompter final : public ui::Prompter {
public:
    RecordingPrompter();
    ~RecordingPrompter() override;
    void message(QWidget* parent, const QString& text, const QString& caption,
                 ui::MessageIcon icon) override;
    bool question(QWidget* parent, const QString& text, const QString& caption) override;

    std::vector<ShownMessage> messages;
    std::vector<QString> questions;
    std::deque<bool> answers; // empty: answer No
};

class FakeDesktop final : public usystem::Desktop {
public:
    FakeDesktop();
    ~FakeDesktop() override;
    void openUrl(std::u16string_view url) override;
    std::u16string chooseFolder() override;

    std::vector<std::u16string> openedUrls;
    std::deque<std::u16string> folders; // empty: cancelled
    int folderDialogs = 0;
};

} // namespace uitest
