#include "platform/win32/win32_folder_watch.h"

#include <memory>

#include "platform/win32/win32_text.h"

namespace quorvel {

namespace {

struct CloseChangeNotification {
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    void operator()(HANDLE handle) const noexcept { ::FindCloseChangeNotification(handle); }
};
using UniqueChangeNotification = UniqueHandle<HANDLE, CloseChangeNotification>;

// What the thread owns: the notification, and whom to tell.
struct Waiting {
    UniqueChangeNotification change;
    HANDLE stop;
    HWND window;
    UINT message;
};

DWORD WINAPI waitForChanges(void* parameter) {
    const std::unique_ptr<Waiting> waiting(static_cast<Waiting*>(parameter));
    const HANDLE handles[] = {waiting->change.get(), waiting->stop};
    while (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0) {
        ::PostMessageW(waiting->window, waiting->message, 0, 0);
        if (!::FindNextChangeNotification(waiting->change.get())) {
            break;
        }
    }
    return 0;
}

}  // namespace

Win32FolderWatch::Win32FolderWatch(HWND window, UINT message)
    : window_(window),
      message_(message),
      stopEvent_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

Win32FolderWatch::~Win32FolderWatch() {
    stop();
}

void Win32FolderWatch::stop() {
    if (thread_) {
        ::SetEvent(stopEvent_.get());
        ::WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
        ::ResetEvent(stopEvent_.get());
    }
}

bool Win32FolderWatch::watch(std::string_view folder) {
    stop();
    if (!stopEvent_ || folder.empty()) {
        return false;
    }
    // Names made, removed or renamed (a sync client's replace), sizes and times
    // written; the working file's own look tells whether it was that file.
    UniqueChangeNotification change(::FindFirstChangeNotificationW(
        wideText(folder).c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
    if (!change) {
        return false;
    }
    auto waiting =
        std::make_unique<Waiting>(Waiting{std::move(change), stopEvent_.get(), window_, message_});
    thread_.reset(::CreateThread(nullptr, 0, &waitForChanges, waiting.get(), 0, nullptr));
    if (!thread_) {
        return false;
    }
    waiting.release();  // the thread's now
    return true;
}

}  // namespace quorvel
