#include "platform/win32/win32_environment.h"

#include <shlobj.h>

#include <vector>

#include "platform/win32/win32_text.h"

namespace quorvel {

namespace {

// Versions of the program that must not run side by side share this name.
constexpr const wchar_t* RunningMutexName = L"Local\\Quorvel-2.1-running";

// Paths beyond MAX_PATH stop here; no Windows path is longer.
constexpr DWORD LongestPath = 32768;

std::string shellFolder(int folderId) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return utf8Text(path, MAX_PATH);
}

}  // namespace

std::string Win32Environment::programPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) {
            return {};
        }
        // A full buffer means the path was cut short: try again with more room.
        if (length < size) {
            return utf8Text(std::wstring_view(buffer.data(), length));
        }
        if (size >= LongestPath) {
            return {};
        }
        buffer.resize(static_cast<std::size_t>(size) * 2);
    }
}

std::string Win32Environment::programFolder() {
    const std::string exe = programPath();
    const auto separator = exe.find_last_of('\\');
    return separator == std::string::npos ? std::string() : exe.substr(0, separator);
}

std::string Win32Environment::getVariable(std::string_view name) {
    if (name.empty() || name.find('\0') != std::string_view::npos) {
        return {};
    }
    const std::wstring variable = wideText(name);
    std::vector<wchar_t> buffer(256);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetEnvironmentVariableW(variable.c_str(), buffer.data(), size);
        // Zero: missing (or set but empty, which reads the same to the caller).
        if (length < size) {
            return utf8Text(std::wstring_view(buffer.data(), length));
        }
        // Too small: `length` is the room needed, NUL included.
        buffer.resize(length);
    }
}

bool Win32Environment::earlierCopyRunning() {
    if (!earlierCopy_) {
        HANDLE mutex = ::CreateMutexW(nullptr, FALSE, RunningMutexName);
        const DWORD error = ::GetLastError();
        runningMutex_.reset(mutex);
        // A copy started under other rights may own a mutex we may not open;
        // it is just as much an earlier copy.
        earlierCopy_ = runningMutex_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
    }
    return *earlierCopy_;
}

std::string Win32Environment::applicationDataFolder() {
    return shellFolder(CSIDL_APPDATA);
}

std::string Win32Environment::startMenuProgramsFolder() {
    return shellFolder(CSIDL_PROGRAMS);
}

std::string Win32Environment::startUpFolder() {
    return shellFolder(CSIDL_STARTUP);
}

void Win32Environment::endProcess() {
    ::ExitProcess(0);
}

}  // namespace quorvel
