#include "app/win32/message_loop.h"

#include <utility>

namespace quorvel {

MessageLoop::MessageLoop(std::function<bool(MSG&)> takesMessage, IdleWork idle)
    : takesMessage_(std::move(takesMessage)), idle_(std::move(idle)) {}

int MessageLoop::run() {
    MSG message;
    for (;;) {
        // Looked at only while there is idle work: a look costs as much as a message.
        if (idle_.pending() && !::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            idle_.run();
        }
        if (::GetMessageW(&message, nullptr, 0, 0) <= 0) {
            break;
        }
        if (takesMessage_(message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace quorvel
