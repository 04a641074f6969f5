#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/files.h"

namespace quorvel {

// Records every message box and answers questions from a script; a question
// with no scripted answer is answered No. The save dialog asks, as Windows'
// does, before it names a file that is on `disk`, and after a No takes the next
// scripted name.
class FakeDialogs final : public Dialogs {
  public:
    explicit FakeDialogs(Files* disk = nullptr) : disk_(disk) {}

    MessageAnswer MsgBox(std::string_view text, MessageButtons buttons,
                         std::string_view caption) override;
    std::string showOpenDialog(const FileDialogText& text) override {
        ++openDialogs;
        fileDialogTitles.emplace_back(text.title);
        return next(openAnswers);
    }
    std::string showSaveDialog(const FileDialogText& text) override;
    void setBusy(bool busy) override {
        busyDepth += busy ? 1 : -1;
        busyTimes += busy ? 1 : 0;
    }

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
    std::vector<std::string> fileDialogTitles;
    int busyDepth = 0;  // nested busy cursors now
    int busyTimes = 0;  // how often one was shown

  private:
    std::string next(std::deque<std::string>& queue);

    Files* disk_;
};

}  // namespace quorvel
