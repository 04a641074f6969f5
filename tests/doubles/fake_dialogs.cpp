#include "tests/doubles/fake_dialogs.h"

namespace quorvel {

MessageAnswer FakeDialogs::MsgBox(std::string_view text, MessageButtons buttons,
                                  std::string_view caption) {
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

std::string FakeDialogs::next(const FileDialogText& text, std::deque<std::string>& queue) {
    fileDialogTitles.emplace_back(text.title);
    if (queue.empty()) {
        return {};
    }
    std::string answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

}  // namespace quorvel
