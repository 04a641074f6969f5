// Acts on the programs under test from outside, as a person would:
//   send_command.exe <command id>        chooses an item of Quorvel's menu bar
//   send_command.exe --clear-target      empties the test target's text box
//   send_command.exe --set-clipboard T   puts the text T on the clipboard
//   send_command.exe --get-clipboard     prints the clipboard's text
//   send_command.exe --code-page         prints the ANSI code page
// Clipboard texts are Unicode text, any character; they are printed in UTF-8.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

bool openClipboard() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (::OpenClipboard(nullptr)) {
            return true;
        }
        ::Sleep(25);
    }
    return false;
}

// The second argument as typed, whatever its characters (argv holds ANSI text).
std::wstring wideArgument() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::wstring argument = arguments != nullptr && count == 3 ? arguments[2] : L"";
    ::LocalFree(arguments);
    return argument;
}

int setClipboard(const std::wstring& text) {
    if (!openClipboard()) {
        return 1;
    }
    ::EmptyClipboard();
    const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    bool done = false;
    if (memory != nullptr) {
        std::memcpy(::GlobalLock(memory), text.c_str(), size);
        ::GlobalUnlock(memory);
        done = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!done) {
            ::GlobalFree(memory);
        }
    }
    ::CloseClipboard();
    return done ? 0 : 1;
}

int printClipboard() {
    if (!openClipboard()) {
        return 1;
    }
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(::GlobalLock(data))) {
            const int length = static_cast<int>(std::wcslen(text));
            const int size =
                ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
            std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
            ::WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
            ::GlobalUnlock(data);
            _setmode(_fileno(stdout), _O_BINARY);
            std::fwrite(utf8.data(), 1, utf8.size(), stdout);
        }
    }
    ::CloseClipboard();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--set-clipboard") == 0) {
        return setClipboard(wideArgument());
    }
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: send_command <command id> | --clear-target | --set-clipboard TEXT |"
                     " --get-clipboard | --code-page\n");
        return 2;
    }
    if (std::strcmp(argv[1], "--get-clipboard") == 0) {
        return printClipboard();
    }
    if (std::strcmp(argv[1], "--code-page") == 0) {
        std::printf("%u\n", ::GetACP());
        return 0;
    }
    if (std::strcmp(argv[1], "--clear-target") == 0) {
        const HWND target = ::FindWindowA(nullptr, "Quorvel Test Target");
        return target != nullptr && ::PostMessageA(target, WM_APP + 1, 0, 0) ? 0 : 1;
    }
    const HWND window = ::FindWindowA("QuorvelMainWindow", nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "Quorvel's main window was not found\n");
        return 1;
    }
    const auto command = static_cast<WPARAM>(std::strtoul(argv[1], nullptr, 10));
    return ::PostMessageA(window, WM_COMMAND, command, 0) ? 0 : 1;
}
