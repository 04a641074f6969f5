#include "platform/win32/win32_files.h"

#include <windows.h>
// After windows.h.
#include <aclapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace quorvel {

namespace {

// Nothing the program keeps comes near this; a bigger file is not one of ours.
constexpr LONGLONG MaxReadSize = 1LL << 30;

// ReadFile and WriteFile take a DWORD count; move big files in pieces.
constexpr std::size_t MaxChunk = 1u << 30;

// The path for the wide functions, which reach every file whatever its
// characters. A NUL inside the path would silently shorten it to another file.
std::optional<std::wstring> pathString(std::string_view path) {
    if (path.empty() || path.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    return wideText(path);
}

bool writeAll(HANDLE file, std::string_view contents) {
    std::size_t written = 0;
    while (written < contents.size()) {
        const auto chunk = static_cast<DWORD>(std::min(contents.size() - written, MaxChunk));
        DWORD done = 0;
        if (!::WriteFile(file, contents.data() + written, chunk, &done, nullptr) || done == 0) {
            return false;
        }
        written += done;
    }
    return true;
}

}  // namespace

std::optional<std::string> Win32Files::readAll(std::string_view path) {
    const auto name = pathString(path);
    if (!name) {
        return std::nullopt;
    }
    // Share writing too, so a file another program has open can still be read.
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder fails to open, as it should.
    UniqueFileHandle file(::CreateFileW(name->c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    // Device names such as CON or a pipe open fine but are no file to read.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || size.QuadPart > MaxReadSize) {
        return std::nullopt;
    }
    std::string contents(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t filled = 0;
    while (filled < contents.size()) {
        const auto chunk = static_cast<DWORD>(std::min(contents.size() - filled, MaxChunk));
        DWORD done = 0;
        if (!::ReadFile(file.get(), contents.data() + filled, chunk, &done, nullptr)) {
            return std::nullopt;
        }
        if (done == 0) {
            break;  // shortened by someone else since its size was taken
        }
        filled += done;
    }
    contents.resize(filled);
    return contents;
}

namespace {

// What a save must know of the file it replaces.
struct ReplacedFile {
    std::wstring path;  // where its bytes are: a symbolic link's target
    DWORD names = 1;    // hard links
    DWORD attributes = 0;
};

// The path as "\\?\C:\..." or "\\?\UNC\server\..." made plain again.
std::wstring withoutLongPrefix(std::wstring path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) {
        return L"\\\\" + path.substr(8);
    }
    return path.starts_with(L"\\\\?\\") ? path.substr(4) : path;
}

ReplacedFile replacedFile(const std::wstring& path) {
    ReplacedFile facts{path};
    UniqueFileHandle file(
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) {
        return facts;  // a new file
    }
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(
        file.get(), final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    if (length >= final.size()) {
        final.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(
            file.get(), final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    }
    if (length > 0 && length < final.size()) {
        final.resize(length);
        facts.path = withoutLongPrefix(std::move(final));
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (::GetFileInformationByHandle(file.get(), &information)) {
        facts.names = information.nNumberOfLinks;
        facts.attributes = information.dwFileAttributes;
    }
    return facts;
}

bool writeNewFile(const std::wstring& path, std::string_view contents) {
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;  // nothing was created
    }
    const bool written = writeAll(file.get(), contents) && ::FlushFileBuffers(file.get());
    // Closing can still report a failed write, so its result counts too.
    return ::CloseHandle(file.release()) && written;
}

bool writeOver(const std::wstring& path, std::string_view contents) {
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    const bool written = writeAll(file.get(), contents) && ::SetEndOfFile(file.get()) &&
                         ::FlushFileBuffers(file.get());
    return ::CloseHandle(file.release()) && written;
}

}  // namespace

bool Win32Files::replaceAtomically(std::string_view path, std::string_view contents) {
    const auto named = pathString(path);
    if (!named) {
        return false;
    }
    const ReplacedFile old = replacedFile(*named);
    const std::wstring pending = old.path + wideText(PendingSuffix);
    if (!writeNewFile(pending, contents)) {
        ::DeleteFileW(pending.c_str());
        return false;
    }
    if (old.names > 1) {
        // A new file in its place would leave the other names with the old one.
        if (!writeOver(old.path, contents)) {
            return false;  // the pending file stays, whole, for the next start
        }
        ::DeleteFileW(pending.c_str());
        return true;
    }
    constexpr DWORD Kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                           FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if ((old.attributes & Kept) != 0) {
        ::SetFileAttributesW(pending.c_str(), old.attributes & Kept);
    }
    if (!::MoveFileExW(pending.c_str(), old.path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(pending.c_str());
        return false;
    }
    return true;
}

bool Win32Files::exists(std::string_view path) {
    const auto name = pathString(path);
    return name && ::GetFileAttributesW(name->c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Files::hasOtherNames(std::string_view path) {
    const auto name = pathString(path);
    return name && replacedFile(*name).names > 1;
}

std::optional<FileStamp> Win32Files::stamp(std::string_view path) {
    const auto name = pathString(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!name || !::GetFileAttributesExW(name->c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    const auto join = [](DWORD high, DWORD low) {
        return (static_cast<std::uint64_t>(high) << 32) | low;
    };
    return FileStamp{join(data.nFileSizeHigh, data.nFileSizeLow),
                     join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

bool Win32Files::copyFile(std::string_view from, std::string_view to) {
    const auto source = pathString(from);
    const auto target = pathString(to);
    return source && target && ::CopyFileW(source->c_str(), target->c_str(), FALSE);
}

bool Win32Files::deleteFile(std::string_view path) {
    const auto name = pathString(path);
    if (!name) {
        return false;
    }
    if (::DeleteFileW(name->c_str())) {
        return true;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool Win32Files::moveFile(std::string_view from, std::string_view to) {
    const auto source = pathString(from);
    const auto target = pathString(to);
    // Across drives Windows copies and deletes; a cut-off copy leaves the old file.
    return source && target &&
           ::MoveFileExW(source->c_str(), target->c_str(),
                         MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH);
}

std::vector<std::string> Win32Files::filesIn(std::string_view folder) {
    std::vector<std::string> names;
    const auto name = pathString(folder);
    if (!name) {
        return names;
    }
    using UniqueFind = UniqueHandle<HANDLE, FindCloseDeleter>;
    WIN32_FIND_DATAW found{};
    const UniqueFind search(::FindFirstFileExW((*name + L"\\*").c_str(), FindExInfoBasic, &found,
                                               FindExSearchNameMatch, nullptr, 0));
    if (!search) {
        return names;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(utf8Text(found.cFileName, MAX_PATH));
        }
    } while (::FindNextFileW(search.get(), &found));
    return names;
}

bool Win32Files::canCreateFilesIn(std::string_view folder) {
    const auto name = pathString(folder);
    if (!name) {
        return false;
    }
    // Rights, a read-only share or medium, and policies all show only in an
    // attempt: a probe file that Windows deletes when it is closed.
    const std::wstring stem =
        *name + L"\\quorvel-write-probe-" + std::to_wstring(::GetCurrentProcessId()) + L"-";
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::wstring probe = stem + std::to_wstring(attempt) + L".tmp";
        UniqueFileHandle file(::CreateFileW(
            probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (file) {
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) {
            return false;
        }
    }
    return false;
}

bool Win32Files::ownedByAnotherUser(std::string_view path) {
    const auto name = pathString(path);
    if (!name) {
        return false;
    }
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoW(name->c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;  // missing, or a drive without owners
    }
    const UniqueHlocal freeDescriptor(descriptor);
    if (owner == nullptr || !::IsValidSid(owner)) {
        return false;
    }
    HANDLE rawToken = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &rawToken)) {
        return false;
    }
    const UniqueKernelHandle token(rawToken);
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> user(size);
    if (size == 0 || !::GetTokenInformation(token.get(), TokenUser, user.data(), size, &size)) {
        return false;
    }
    if (::EqualSid(owner, reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid)) {
        return false;
    }
    // A file an administrator wrote may be owned by the Administrators group.
    BOOL member = FALSE;
    return !::CheckTokenMembership(nullptr, owner, &member) || !member;
}

bool Win32Files::createFolder(std::string_view path) {
    const auto name = pathString(path);
    if (!name) {
        return false;
    }
    if (::CreateDirectoryW(name->c_str(), nullptr)) {
        return true;
    }
    const DWORD attributes = ::GetFileAttributesW(name->c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace quorvel
