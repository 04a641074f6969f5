#include "platform/win32/win32_dialogs.h"

#include <commdlg.h>

#include <utility>
#include <vector>

#include "platform/win32/win32_text.h"
#include "platform/win32/win32_view_acting_window.h"

namespace quorvel {

namespace {

// Room for a long path; a longer choice counts as cancelled.
constexpr DWORD FileNameBufferSize = 32 * 1024;

}  // namespace

Win32Dialogs::Win32Dialogs(HWND owner) : owner_([owner] { return owner; }) {}

Win32Dialogs::Win32Dialogs(OwnerGetter owner) : owner_(std::move(owner)) {}

HWND Win32Dialogs::owner() const {
    // The window the user acted in, so that the box blocks that window only and
    // stays in front of it; without a visible one the box stands alone.
    HWND window = actingWindow();
    if (window == nullptr && owner_) {
        window = owner_();
    }
    return window != nullptr && ::IsWindowVisible(window) ? window : nullptr;
}

MessageAnswer Win32Dialogs::MsgBox(std::string_view text, MessageButtons buttons,
                                   std::string_view caption) {
    const std::wstring message = wideText(text);
    const std::wstring title = wideText(caption);
    const HWND window = owner();
    const UINT style = (buttons == MessageButtons::Ok               ? MB_OK
                        : buttons == MessageButtons::YesNoDefaultNo ? MB_YESNO | MB_DEFBUTTON2
                                                                    : MB_YESNO) |
                       (window == nullptr ? MB_SETFOREGROUND : 0);
    switch (::MessageBoxW(window, message.c_str(), title.c_str(), style)) {
        case IDYES:
            return MessageAnswer::Yes;
        case IDNO:
            return MessageAnswer::No;
        case IDOK:
            return MessageAnswer::Ok;
        default:
            // The box could not be shown: a question counts as declined.
            return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
}

std::string Win32Dialogs::showOpenDialog() {
    return fileDialog(false);
}

std::string Win32Dialogs::showSaveDialog() {
    return fileDialog(true);
}

std::string Win32Dialogs::fileDialog(bool save) const {
    std::vector<wchar_t> fileName(FileNameBufferSize, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner();
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = FileNameBufferSize;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
    const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    if (!chosen) {
        return {};
    }
    return utf8Text(fileName.data(), fileName.size());
}

}  // namespace quorvel
