#pragma once

#include "gamefiles/message_owner.h"

class QWidget;

// Shows the messages of the game-file operations as the client's message boxes over `parent`.
class PromptMessageOwner final : public gamefiles::IMessageOwner {
public:
    explicit PromptMessageOwner(QWidget* parent) : parent_(parent) {}
    bool askQuestion(std::u16string_view caption, std::u16string_view text) override;
    void showInformation(std::u16string_view caption, std::u16string_view text) override;
    void showWarning(std::u16string_view caption, std::u16string_view text) override;

private:
    QWidget* parent_;
};
