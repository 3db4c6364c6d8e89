#include "testsupport/fake_desktop.h"

namespace testsupport {

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

} // namespace testsupport
