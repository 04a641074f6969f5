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
    const std::wstring tip = wideText(data.tip);
    std::size_t length = std::min(tip.size(), tipSize - 1);
    // A character beyond U+FFFF is not cut in half.
    if (length > 0 && length < tip.size() && tip[length - 1] >= 0xD800 && tip[length - 1] <= 0xDBFF) {
        --length;
    }
    std::copy_n(tip.begin(), length, record.szTip);
    record.szTip[length] = L'\0';
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
