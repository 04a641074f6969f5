#include "platform/win32/win32_event_pump.h"

namespace quorvel {

void Win32EventPump::DoEvents() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave it for the main loop, which ends the program.
            quitRequested_ = true;
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void Win32EventPump::post(std::function<void()> work) {
    posted_.push_back(std::move(work));
    if (window_ == nullptr || !::PostMessageW(window_, WmRunPosted, 0, 0)) {
        // No window to post to yet: run it with the next DoEvents of the loop.
        runPosted();
    }
}

void Win32EventPump::runPosted() {
    if (posted_.empty()) {
        return;
    }
    auto work = std::move(posted_.front());
    posted_.pop_front();
    work();
}

}  // namespace quorvel
