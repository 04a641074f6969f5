#include "app/win32/message_loop.h"

#include <utility>

namespace quorvel {

MessageLoop::MessageLoop(std::function<bool(MSG&)> takesMessage)
    : takesMessage_(std::move(takesMessage)) {}

int MessageLoop::run() {
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (takesMessage_(message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace quorvel
