#include "platform/win32/win32_tray.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

namespace quorvel {

NOTIFYICONDATAA notifyIconRecord(const TrayIconData& data) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = reinterpret_cast<HWND>(data.window);
    record.uID = static_cast<UINT>(data.iconId);
    record.uFlags = data.flags;
    record.uCallbackMessage = data.callbackMessage;
    record.hIcon = reinterpret_cast<HICON>(data.icon);
    constexpr std::size_t tipSize = 64;
    std::memset(record.szTip, ' ', tipSize);
    const std::size_t length = std::min(data.tip.size(), tipSize - 1);
    std::memcpy(record.szTip, data.tip.data(), length);
    record.szTip[length] = '\0';
    return record;
}

bool Win32Tray::add(const TrayIconData& data) {
    NOTIFYICONDATAA record = notifyIconRecord(data);
    return ::Shell_NotifyIconA(NIM_ADD, &record) != FALSE;
}

bool Win32Tray::remove(const TrayIconData& data) {
    NOTIFYICONDATAA record = notifyIconRecord(data);
    return ::Shell_NotifyIconA(NIM_DELETE, &record) != FALSE;
}

}  // namespace quorvel
