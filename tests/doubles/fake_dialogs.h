#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace quorvel {

// Records every message box and answers questions from a script; a question
// with no scripted answer is answered No. The file dialogs answer with the next
// scripted name (Windows' own question before a file is replaced is not theirs).
class FakeDialogs final : public Dialogs {
  public:
    MessageAnswer showMessage(std::string_view text, MessageButtons buttons,
                              std::string_view caption) override {
        shown.push_back({std::string(text), buttons, std::string(caption)});
        if (buttons == MessageButtons::Ok) {
            return MessageAnswer::Ok;
        }
        if (answers.empty()) {
            return MessageAnswer::No;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::string showOpenDialog(const FileDialogText& text) override {
        return next(text, openAnswers);
    }
    std::string showSaveDialog(const FileDialogText& text) override {
        return next(text, saveAnswers);
    }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }

    struct Shown {
        std::string text;
        MessageButtons buttons;
        std::string caption;
    };
    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;
    std::deque<std::string> openAnswers;  // an empty string is a cancelled dialog
    std::deque<std::string> saveAnswers;
    std::vector<std::string> fileDialogTitles;
    int busyDepth = 0;  // nested busy cursors now

  private:
    std::string next(const FileDialogText& text, std::deque<std::string>& queue) {
        fileDialogTitles.emplace_back(text.title);
        if (queue.empty()) {
            return {};
        }
        std::string answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
};

}  // namespace quorvel
