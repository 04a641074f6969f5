#include "platform/win32/win32_program_starter.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace quorvel {

bool Win32ProgramStarter::startProgram(std::string_view commandLine) {
    if (commandLine.empty() || commandLine.find('\0') != std::string_view::npos) {
        return false;
    }
    // CreateProcess may write into the command line it is given, so it gets a copy.
    std::wstring mutableLine = wideText(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    // No application name: CreateProcess takes the program from the command line
    // and looks for it along the search path itself; no shell is involved.
    if (!::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        return false;
    }
    // The program runs on by itself; we keep no hold on it.
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);
    return true;
}

void Win32ProgramStarter::openAddress(std::string_view address) {
    if (address.empty() || address.find('\0') != std::string_view::npos) {
        return;
    }
    const std::wstring target = wideText(address);
    // The shell reports its own errors to the user; there is nothing to add here.
    ::ShellExecuteW(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace quorvel
