#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace quorvel {

// Records every message box and answers questions from a script; a question
// with no scripted answer is answered No.
class FakeDialogs final : public Dialogs {
public:
    MessageAnswer MsgBox(std::string_view text, MessageButtons buttons,
                         std::string_view caption) override;
    std::string showOpenDialog() override { return next(openAnswers); }
    std::string showSaveDialog() override { return next(saveAnswers); }

    struct Shown {
        std::string text;
        MessageButtons buttons;
        std::string caption;
    };
    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;
    std::deque<std::string> openAnswers;  // an empty string is a cancelled dialog
    std::deque<std::string> saveAnswers;
    int openDialogs = 0;
    int saveDialogs = 0;

private:
    std::string next(std::deque<std::string>& queue);
};

}  // namespace quorvel
