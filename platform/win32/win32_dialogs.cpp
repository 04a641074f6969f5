#include "platform/win32/win32_dialogs.h"

#include <commdlg.h>

#include <utility>
#include <vector>

#include "platform/win32/widgets/acting_window.h"
#include "platform/win32/win32_text.h"

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

MessageAnswer Win32Dialogs::showMessage(std::string_view text, MessageButtons buttons,
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

// The work runs without yielding, so no WM_SETCURSOR puts the arrow back
// before it ends.
void Win32Dialogs::setBusy(bool busy) {
    if (busy && busyDepth_++ == 0) {
        cursorBeforeBusy_ = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    } else if (!busy && busyDepth_ > 0 && --busyDepth_ == 0) {
        ::SetCursor(cursorBeforeBusy_);
    }
}

std::string Win32Dialogs::showOpenDialog(const FileDialogText& text) {
    return fileDialog(false, text);
}

std::string Win32Dialogs::showSaveDialog(const FileDialogText& text) {
    return fileDialog(true, text);
}

std::string Win32Dialogs::fileDialog(bool save, const FileDialogText& text) const {
    std::vector<wchar_t> fileName(FileNameBufferSize, L'\0');
    const std::wstring title = wideText(text.title);
    const std::wstring extensions = wideText(text.extension);
    const std::wstring pattern = L"*." + extensions;
    // A name typed without one gets the first.
    const std::wstring extension = extensions.substr(0, extensions.find(L';'));
    // Pairs of a shown name and its patterns, each ended by a NUL, and one more NUL.
    std::wstring filter = wideText(text.kindName) + L" (" + pattern + L")";
    filter += L'\0' + pattern + L'\0';
    filter += L"All files (*.*)";
    filter += L'\0';
    filter += L"*.*";
    filter += L'\0';
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrFilter = filter.c_str();  // the string's own NUL ends the list
    dialog.nFilterIndex = 1;
    dialog.lpstrDefExt = extension.c_str();
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = FileNameBufferSize;
    // The dialogs themselves refuse a missing file to open and ask before a
    // file is replaced, as every Windows program's do.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                   (save ? (text.askBeforeReplacing ? OFN_OVERWRITEPROMPT : 0) : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    if (!chosen) {
        return {};
    }
    return utf8Text(fileName.data(), fileName.size());
}

}  // namespace quorvel
