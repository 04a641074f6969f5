#include "platform/win32/win32_tray.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>

#include "platform/win32/unique_handle.h"
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

bool Win32Tray::modify(const TrayIconData& data) {
    NOTIFYICONDATAW record = notifyIconRecord(data);
    record.uFlags = NIF_ICON | NIF_TIP;
    return ::Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

std::optional<std::size_t> Win32Tray::chooseFromMenu(const std::vector<TrayMenuEntry>& entries) {
    const UniqueHmenu menu(::CreatePopupMenu());
    if (!menu) {
        return std::nullopt;
    }
    // Command 0 is what TrackPopupMenu returns for no choice.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ::AppendMenuW(menu.get(), MF_STRING | (entries[i].checked ? MF_CHECKED : MF_UNCHECKED),
                      i + 1, wideText(entries[i].caption).c_str());
    }
    POINT at{};
    ::GetCursorPos(&at);
    // Without it the menu would not close when the user clicks elsewhere.
    ::SetForegroundWindow(window_);
    const auto chosen = static_cast<std::size_t>(
        ::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0,
                         window_, nullptr));
    ::PostMessageW(window_, WM_NULL, 0, 0);
    if (chosen == 0 || chosen > entries.size()) {
        return std::nullopt;
    }
    return chosen - 1;
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
