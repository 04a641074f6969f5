#include "platform/win32/win32_tray.h"

#include <shellapi.h>

#include <algorithm>

#include "platform/win32/win32_text.h"

namespace quorvel {

NOTIFYICONDATAW notifyIconRecord(const TrayIconData& data) {
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = reinterpret_cast<HWND>(data.window);
    record.uID = static_cast<UINT>(data.iconId);
    record.uFlags = data.flags;
    record.uCallbackMessage = data.callbackMessage;
    record.hIcon = reinterpret_cast<HICON>(data.icon);
    constexpr std::size_t tipSize = 64;
    std::fill_n(record.szTip, tipSize, L' ');
    copyWideText(data.tip, record.szTip, tipSize);
    return record;
}

bool Win32Tray::add(const TrayIconData& data) {
    NOTIFYICONDATAW record = notifyIconRecord(data);
    return ::Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
}

bool Win32Tray::remove(const TrayIconData& data) {
    NOTIFYICONDATAW record = notifyIconRecord(data);
    return ::Shell_NotifyIconW(NIM_DELETE, &record) != FALSE;
}

}  // namespace quorvel
