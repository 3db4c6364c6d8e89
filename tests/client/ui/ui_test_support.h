#pragma once

#include "ui/prompter.h"
#include "utilkit_gui/usystem.h"

#include <QString>

class QDialog;
class QTimer;

#include <filesystem>
#include <functional>

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

// While it lives, hands every modal dialog that opens to `action` (from inside the dialog's
// event loop), so that a test can fill it in and end it; by default it is cancelled.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QDialog*)> action = {});
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    int seen() const { return seen_; }

private:
    void check();
    std::function<void(QDialog*)> action_;
    QTimer* timer_;
    int seen_ = 0;
};

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }
    // The folder as the client writes folders: "/" separators, ending in "/".
    std::u16string text() const;

private:
    std::filesystem::path path_;
};

} // namespace uitest
