#pragma once
// What the test programs share: they read and write their reports in UTF-8,
// talk to windows in UTF-16, and wait for other programs, which may hold the
// clipboard or open a window in their own time.

#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <string_view>

// The test target's window, and what the driver asks of it.
constexpr wchar_t TestTargetTitle[] = L"Quorvel Test Target";
constexpr UINT ClearTargetMessage = WM_APP + 1;
constexpr UINT PasswordTargetMessage = WM_APP + 2;  // wParam 1: a password box, 2: protected
// wParam: the milliseconds after a Ctrl+V at which the box reads the clipboard,
// as browsers and terminals do; 0 reads at once, as the box itself does.
constexpr UINT LatePasteTargetMessage = WM_APP + 3;

[[noreturn]] inline void fail(const char* what, const char* detail = "") {
    std::fprintf(stderr, "%s%s%s\n", what, *detail ? ": " : "", detail);
    std::exit(1);
}

inline std::string utf8Of(std::wstring_view text) {
    const auto length = static_cast<int>(text.size());
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

inline std::wstring wideOf(const std::string& utf8) {
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          size);
    return wide;
}

// CR and LF written as \r and \n, so that any text prints on one line.
inline std::string escaped(const std::string& text) {
    std::string line;
    for (const char c : text) {
        line += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    }
    return line;
}

// An empty file, or one holding `text`; false when it cannot be written.
inline bool writeFile(const char* path, const std::string& text = "") {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

// Polls until `ready` holds; false when SECONDS pass first.
template <typename Ready>
bool waitUntil(double seconds, Ready ready, DWORD pollMs = 50) {
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    while (!ready()) {
        if (::GetTickCount64() >= deadline) {
            return false;
        }
        ::Sleep(pollMs);
    }
    return true;
}

// Another program (Quorvel, while it pastes) may hold the clipboard for a moment.
inline bool openClipboard(HWND owner) {
    return waitUntil(
        1, [owner] { return ::OpenClipboard(owner) != FALSE; }, 10);
}

// The clipboard's text in that format, in UTF-8; the clipboard must be open.
inline std::string clipboardText(UINT format) {
    std::string text;
    if (HANDLE data = ::GetClipboardData(format)) {
        if (const auto* wide = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = utf8Of({wide, wcsnlen(wide, ::GlobalSize(data) / sizeof(wchar_t))});
            ::GlobalUnlock(data);
        }
    }
    return text;
}
