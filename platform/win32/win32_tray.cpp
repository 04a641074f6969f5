#include "platform/win32/win32_tray.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>

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

bool Win32Tray::showBalloon(const TrayIconData& data, std::string_view title,
                            std::string_view text) {
    // The balloon fields come after the first form of the record: the full one.
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof(record);
    record.hWnd = reinterpret_cast<HWND>(data.window);
    record.uID = static_cast<UINT>(data.iconId);
    record.uFlags = NIF_INFO;
    record.dwInfoFlags = NIIF_WARNING;
    copyWideText(title, record.szInfoTitle, std::size(record.szInfoTitle));
    copyWideText(text, record.szInfo, std::size(record.szInfo));
    return ::Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

}  // namespace quorvel
