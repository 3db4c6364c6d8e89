#include "ui_test_support.h"

#include "utilkit/ustring.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <atomic>
#include <unistd.h>

namespace uitest {

RecordingPrompter::RecordingPrompter() {
    ui::setPrompter(this);
}

RecordingPrompter::~RecordingPrompter() {
    ui::setPrompter(nullptr);
}

void RecordingPrompter::message(QWidget*, const QString& text, const QString& caption,
                                ui::MessageIcon icon) {
    messages.push_back({text, caption, icon});
}

bool RecordingPrompter::question(QWidget*, const QString& text, const QString&) {
    questions.push_back(text);
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

FakeDesktop::FakeDesktop() {
    usystem::setDesktop(this);
}

FakeDesktop::~FakeDesktop() {
    usystem::setDesktop(nullptr);
}

void FakeDesktop::openUrl(std::u16string_view url) {
    openedUrls.emplace_back(url);
}

std::u16string FakeDesktop::chooseFolder() {
    ++folderDialogs;
    if (folders.empty())
        return {};
    std::u16string folder = folders.front();
    folders.pop_front();
    return folder;
}

ModalWatcher::ModalWatcher(std::function<void(QDialog*)> action)
    : action_(std::move(action)), timer_(new QTimer) {
    QObject::connect(timer_, &QTimer::timeout, [this] { check(); });
    timer_->start(5);
}

ModalWatcher::~ModalWatcher() {
    delete timer_;
}

void ModalWatcher::check() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(window);
        if (dialog == nullptr || !dialog->isVisible() || !dialog->isModal() ||
            dialog->property("uitestSeen").toBool())
            continue;
        dialog->setProperty("uitestSeen", true);
        ++seen_;
        if (action_)
            action_(dialog);
        else
            dialog->reject();
        return;
    }
}

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("raidledger_ui_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::u16string TempFolder::text() const {
    return ustring::fromUtf8(path_.string() + "/");
}

} // namespace uitest
