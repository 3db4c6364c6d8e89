#pragma once

#include <string_view>

namespace gamefiles {

// The caption of the client's message boxes.
inline constexpr std::u16string_view kNoticeCaption = u"操作提示";

// The window that shows the messages of a game-file operation.
class IMessageOwner {
public:
    // A question with Yes and No buttons and a question icon; true only for Yes.
    virtual bool askQuestion(std::u16string_view caption, std::u16string_view text) = 0;
    // A message with an OK button and an information icon.
    virtual void showInformation(std::u16string_view caption, std::u16string_view text) = 0;
    // A message with an OK button and a warning icon.
    virtual void showWarning(std::u16string_view caption, std::u16string_view text) = 0;

protected:
    ~IMessageOwner() = default;
};

} // namespace gamefiles
