// Exercises the Windows services against the real system (Windows or Wine) and
// prints one PASS or FAIL line per check. Exit code 0 only when all pass.

#include <windows.h>
#include <dlgs.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/com_objects.h"
#include "platform/win32/program_text.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_collation.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_program_starter.h"
#include "platform/win32/win32_settings_store.h"
#include "platform/win32/win32_shell_links.h"

using namespace quorvel;

namespace {

int failures = 0;

void check(bool passed, const char* what) {
    std::printf("%s %s\n", passed ? "PASS" : "FAIL", what);
    std::fflush(stdout);
    if (!passed) {
        ++failures;
    }
}

bool isFolder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string exePath() {
    char path[MAX_PATH * 4] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof(path));
    return path;
}

std::string tempFolder(Win32Environment& environment) {
    std::string folder = environment.getVariable("TEMP");
    while (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    return folder;
}

// Child mode: reports whether it saw the parent as an earlier copy.
int probeEarlierCopy(const char* resultFile) {
    Win32Environment environment;
    Win32Files files;
    return files.replaceAtomically(resultFile, environment.earlierCopyRunning() ? "1" : "0") ? 0 : 1;
}

void checkEnvironmentAndStarter() {
    Win32Environment environment;
    const std::string folder = environment.programFolder();
    check(!folder.empty() && folder.back() != '\\' && folder.back() != '/',
          "programFolder has no trailing separator");
    check(exists(folder + "\\quorvel_services_selfcheck.exe"), "programFolder holds this program");

    check(!environment.getVariable("TEMP").empty(), "getVariable TEMP");
    check(environment.getVariable("QUORVEL_SELFCHECK_NOT_SET").empty(), "getVariable missing is empty");
    const std::string longValue(3000, 'v');
    ::SetEnvironmentVariableA("QUORVEL_SELFCHECK_LONG", longValue.c_str());
    check(environment.getVariable("quorvel_selfcheck_long") == longValue,
          "getVariable long value, name in other case");

    check(isFolder(environment.startMenuProgramsFolder()), "startMenuProgramsFolder is a folder");
    check(isFolder(environment.startUpFolder()), "startUpFolder is a folder");
    check(environment.startUpFolder() != environment.startMenuProgramsFolder(),
          "startUpFolder differs from Programs");

    check(!environment.earlierCopyRunning(), "earlierCopyRunning false for the first copy");
    check(!environment.earlierCopyRunning(), "earlierCopyRunning answer is kept");
    {
        Win32Environment second;
        check(second.earlierCopyRunning(), "earlierCopyRunning true for a second instance");
    }

    Win32ProgramStarter starter;
    Win32Files files;
    const std::string result =
        tempFolder(environment) + "\\quorvel-selfcheck-probe-" + std::to_string(::GetCurrentProcessId());
    files.deleteFile(result);
    const bool started =
        starter.startProgram("\"" + exePath() + "\" --probe-earlier-copy \"" + result + "\"");
    check(started, "startProgram starts a program by path with arguments");
    std::optional<std::string> answer;
    for (int wait = 0; started && wait < 300 && !answer; ++wait) {
        ::Sleep(50);
        answer = files.readAll(result);
    }
    check(answer && *answer == "1", "a second process sees the earlier copy");
    files.deleteFile(result);

    check(starter.startProgram("cmd.exe /c exit 0"), "startProgram finds a program on the search path");
    check(!starter.startProgram("quorvel-selfcheck-no-such-program.exe"),
          "startProgram reports a missing program");
    check(!starter.startProgram(""), "startProgram refuses an empty command line");
}

void checkSettings() {
    Win32SettingsStore store;
    const char* app = "Quorvel Selfcheck";
    store.DeleteSetting(app);
    check(store.GetSetting(app, "Main", "Missing", "fallback") == "fallback",
          "GetSetting default for a missing application");
    store.SaveSetting(app, "Main", "Greeting", "hello \xE9 world");
    check(store.GetSetting(app, "Main", "Greeting", "") == "hello \xE9 world", "SaveSetting round trip");
    check(store.GetSetting("QUORVEL SELFCHECK", "main", "GREETING", "") == "hello \xE9 world",
          "names are case-insensitive");
    store.SaveSetting(app, "Main", "Greeting", "");
    check(store.GetSetting(app, "Main", "Greeting", "x") == "", "an empty value is kept");
    const std::string big(5000, 'b');
    store.SaveSetting(app, "Other", "Big", big);
    check(store.GetSetting(app, "Other", "Big", "") == big, "a long value round trip");
    check(store.GetSetting(app, "Main", "Missing", "fallback") == "fallback",
          "GetSetting default for a missing key");
    check(store.GetSetting(app, "Nowhere", "Greeting", "fallback") == "fallback",
          "GetSetting default for a missing section");

    UniqueHkey section;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER,
                        "Software\\VB and VBA Program Settings\\Quorvel Selfcheck\\Main", 0,
                        KEY_SET_VALUE, section.put()) == ERROR_SUCCESS) {
        const DWORD number = 42;
        ::RegSetValueExA(section.get(), "Number", 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&number), sizeof(number));
    }
    check(store.GetSetting(app, "Main", "Number", "fallback") == "fallback",
          "GetSetting default for a value that is not a string");
    section.reset();

    store.DeleteSetting(app);
    UniqueHkey gone;
    check(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\Quorvel Selfcheck",
                          0, KEY_READ, gone.put()) == ERROR_FILE_NOT_FOUND,
          "DeleteSetting removes the application key");
    check(store.GetSetting(app, "Other", "Big", "fallback") == "fallback",
          "settings are gone after DeleteSetting");
    UniqueHkey root;
    check(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings", 0, KEY_READ,
                          root.put()) == ERROR_SUCCESS,
          "DeleteSetting leaves the shared root key");
    store.DeleteSetting(app);
    check(true, "DeleteSetting of a missing application returns");
}

void checkFiles(const std::string& temp) {
    Win32Files files;
    const std::string base = temp + "\\quorvel-selfcheck-" + std::to_string(::GetCurrentProcessId());
    const std::string path = base + ".txt";
    const std::string copy = base + "-copy.txt";
    files.deleteFile(path);
    files.deleteFile(copy);

    check(!files.readAll(path), "readAll of a missing file is nothing");
    check(!files.readAll(temp), "readAll of a folder is nothing");
    check(!files.exists(path) && files.exists(temp), "exists: not a missing file, but a folder");
    check(files.replaceAtomically(path, "first"), "replaceAtomically creates a file");
    check(files.readAll(path) == std::optional<std::string>("first"), "readAll reads it back");
    std::string binary("line\r\n\0\x1A\xFF end", 12);
    check(files.replaceAtomically(path, binary), "replaceAtomically replaces a file");
    check(files.readAll(path) == std::optional<std::string>(binary), "contents kept byte for byte");
    check(!exists(path + ".quorvel-tmp"), "no temporary file left behind");
    check(files.replaceAtomically(path, ""), "replaceAtomically with empty contents");
    check(files.readAll(path) == std::optional<std::string>(""), "an empty file reads as empty");
    const std::string large(3 * 1024 * 1024 + 7, 'L');
    check(files.replaceAtomically(path, large) && files.readAll(path) == std::optional<std::string>(large),
          "a 3 MiB file round trip");
    check(files.replaceAtomically(path, "kept"), "replaceAtomically again");

    {
        // Another program reading the file without sharing deletion blocks the
        // replacement; the old contents must survive.
        UniqueFileHandle holder(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        check(static_cast<bool>(holder), "test holds the file open");
        check(!files.replaceAtomically(path, "lost"), "replaceAtomically fails on a held file");
        check(!exists(path + ".quorvel-tmp"), "the temporary file is removed after a failure");
        check(files.readAll(path) == std::optional<std::string>("kept"), "readAll while another reader holds it");
    }
    check(files.readAll(path) == std::optional<std::string>("kept"), "the old file stays whole");
    {
        UniqueFileHandle locker(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
        check(!files.readAll(path), "readAll of a locked file is nothing");
        check(files.exists(path), "a locked file still exists");
    }
    check(!files.replaceAtomically(temp + "\\quorvel-no-such-folder\\file.txt", "x"),
          "replaceAtomically into a missing folder fails");

    check(files.copyFile(path, copy), "copyFile");
    check(files.readAll(copy) == std::optional<std::string>("kept"), "the copy has the contents");
    check(files.replaceAtomically(path, "newer") && files.copyFile(path, copy) &&
              files.readAll(copy) == std::optional<std::string>("newer"),
          "copyFile overwrites");
    check(!files.copyFile(path + ".missing", copy), "copyFile of a missing file fails");

    check(files.deleteFile(path) && !exists(path), "deleteFile");
    check(files.deleteFile(copy) && !exists(copy), "deleteFile of the copy");
    check(files.deleteFile(path), "deleteFile of a missing file is no error");
    check(files.deleteFile(temp + "\\quorvel-no-such-folder\\file.txt"),
          "deleteFile in a missing folder is no error");
}

void checkClock() {
    Win32Clock clock;
    const DateTime now = clock.now();
    check(now.year >= 2020 && now.month >= 1 && now.month <= 12 && now.day >= 1 && now.day <= 31 &&
              now.hour >= 0 && now.hour <= 23,
          "Clock::now is a plausible date");

    Win32Locale locale;
    DateTime when;
    when.year = 2026;
    when.month = 12;
    when.day = 6;
    when.hour = 8;
    when.minute = 35;
    when.second = 46;
    const std::string date = locale.shortDate(when);
    const std::string time = locale.longTime(when);
    const std::string month = locale.monthName(12);
    std::printf("     user locale %04lx: %s | %s | %s\n", static_cast<unsigned long>(::GetUserDefaultLCID()),
                date.c_str(), time.c_str(), month.c_str());
    if (::GetUserDefaultLCID() == 0x0409) {
        check(date == "12/6/2026", "shortDate in English (United States)");
        check(time == "8:35:46 AM", "longTime in English (United States)");
        check(month == "December", "monthName in English (United States)");
        check(locale.monthName(1) == "January", "monthName of January");
    } else {
        check(!date.empty() && !time.empty() && !month.empty(), "locale strings are present");
    }
    check(locale.monthName(0).empty() && locale.monthName(13).empty(), "monthName out of range is empty");
    DateTime impossible = when;
    impossible.month = 2;
    impossible.day = 31;
    check(locale.shortDate(impossible).empty(), "shortDate of an impossible date is empty");
}

// The program a shell link starts and its working folder, read back through the shell.
struct LinkTarget {
    std::string program;
    std::string folder;
};
std::optional<LinkTarget> readLink(const std::string& linkPath) {
    const ComApartment apartment;
    ComPointer<IShellLinkA> link;
    ComPointer<IPersistFile> file;
    const std::wstring widePath = wideFromProgramText(linkPath);
    if (!apartment ||
        FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  link.put())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.put())) ||
        FAILED(file->Load(widePath.c_str(), STGM_READ))) {
        return std::nullopt;
    }
    char program[MAX_PATH] = {};
    char folder[MAX_PATH] = {};
    if (FAILED(link->GetPath(program, MAX_PATH, nullptr, 0)) ||
        FAILED(link->GetWorkingDirectory(folder, MAX_PATH))) {
        return std::nullopt;
    }
    return LinkTarget{program, folder};
}

void checkShellLinks(const std::string& temp) {
    Win32ShellLinks links;
    Win32Environment environment;
    const std::string link =
        temp + "\\quorvel-selfcheck-" + std::to_string(::GetCurrentProcessId()) + ".lnk";
    ::DeleteFileA(link.c_str());
    check(links.createLink(link, exePath()) && exists(link), "createLink writes the link");
    const auto target = readLink(link);
    check(target && ::lstrcmpiA(target->program.c_str(), exePath().c_str()) == 0,
          "the link starts this program");
    check(target && ::lstrcmpiA(target->folder.c_str(), environment.programFolder().c_str()) == 0,
          "the link starts it in its own folder");
    check(links.createLink(link, exePath()), "createLink replaces a link");
    check(!links.createLink(temp + "\\quorvel-no-such-folder\\x.lnk", exePath()),
          "createLink into a missing folder fails");
    ::DeleteFileA(link.c_str());
}

void checkCollation() {
    Win32Collation collation;
    const std::string eclair = "\xE9" "clair";
    const std::string ecole = "\xC9" "cole";
    std::printf("     collation: eclair~zebra %d, Ecole~eclair %d, ABC~abc %d\n",
                collation.compare(eclair, "zebra"), collation.compare(ecole, eclair),
                collation.compare("ABC", "abc"));
    check(collation.compare(eclair, "zebra") < 0, "an accented e sorts among the e's");
    check(collation.compare(ecole, eclair) > 0 && collation.compare(eclair, ecole) < 0,
          "accented texts sort by their letters");
    check(collation.compare("eagle", eclair) < 0, "an accent weighs less than a letter");
    check(collation.compare("ABC", "abc") == 0 && collation.compare("B", "a") > 0,
          "case is ignored");
    check(collation.compare("", "a") < 0 && collation.compare("", "") == 0,
          "empty text sorts first");
}

std::vector<std::uint8_t> formatBytes(const ClipboardSnapshot& snapshot, UINT id) {
    for (const auto& format : snapshot.formats) {
        if (format.id == id) {
            return format.bytes;
        }
    }
    return {};
}

bool hasFormat(const ClipboardSnapshot& snapshot, UINT id) {
    for (const auto& format : snapshot.formats) {
        if (format.id == id) {
            return true;
        }
    }
    return false;
}

// Puts bytes on the open clipboard the way another program would.
bool putRaw(UINT format, const void* bytes, std::size_t size) {
    UniqueHglobal memory(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory) {
        return false;
    }
    {
        GlobalMemoryLock lock(memory.get());
        if (!lock) {
            return false;
        }
        std::memcpy(lock.data(), bytes, size);
    }
    if (::SetClipboardData(format, memory.get()) == nullptr) {
        return false;
    }
    memory.release();
    return true;
}

// A 2x2 24-bit picture as CF_DIB carries it.
std::vector<std::uint8_t> smallDib() {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = 2;
    header.biHeight = 2;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = 16;  // two rows of 6 bytes padded to 8
    std::vector<std::uint8_t> dib(sizeof(header) + 16);
    std::memcpy(dib.data(), &header, sizeof(header));
    for (std::size_t i = sizeof(header); i < dib.size(); ++i) {
        dib[i] = static_cast<std::uint8_t>(i * 37);
    }
    return dib;
}

void checkClipboard(HWND owner, const char* label) {
    std::printf("     clipboard owner: %s\n", label);
    Win32Clipboard clipboard(owner);
    const std::string text = "Line one\r\nLine two \xE9\xFC";

    check(clipboard.clear() && ::CountClipboardFormats() == 0, "clear empties the clipboard");
    check(clipboard.getText() == std::optional<std::string>(""),
          "getText of an empty clipboard is empty text");
    check(clipboard.setText(text), "setText");
    check(clipboard.getText() == std::optional<std::string>(text), "getText reads it back");
    check(clipboard.clear() && clipboard.setText("") &&
              clipboard.getText() == std::optional<std::string>(""),
          "an empty text round trip");

    // Text, a private registered format and a picture, as another program leaves them.
    const UINT custom = ::RegisterClipboardFormatA("Quorvel Selfcheck Format");
    const std::vector<std::uint8_t> customBytes = {1, 2, 3, 0, 250, 7, 9};
    const std::vector<std::uint8_t> dib = smallDib();
    bool put = false;
    {
        ClipboardOpen open(owner, 5, 10);
        put = open && ::EmptyClipboard() && putRaw(CF_TEXT, text.c_str(), text.size() + 1) &&
              putRaw(custom, customBytes.data(), customBytes.size()) &&
              putRaw(CF_DIB, dib.data(), dib.size());
    }
    check(put, "test puts text, a registered format and a picture");

    const auto saved = clipboard.snapshot();
    check(saved.has_value(), "snapshot");
    if (!saved) {
        return;
    }
    std::printf("     snapshot formats:");
    for (const auto& format : saved->formats) {
        std::printf(" %u(%zu)", format.id, format.bytes.size());
    }
    std::printf("\n");
    check(hasFormat(*saved, CF_TEXT) && hasFormat(*saved, custom) && hasFormat(*saved, CF_DIB),
          "snapshot holds text, the registered format and the picture");
    check(!hasFormat(*saved, CF_BITMAP) && !hasFormat(*saved, CF_ENHMETAFILE) &&
              !hasFormat(*saved, CF_METAFILEPICT) && !hasFormat(*saved, CF_PALETTE),
          "snapshot leaves out GDI handle formats");

    check(clipboard.clear() && clipboard.setText("pasted text") &&
              clipboard.getText() == std::optional<std::string>("pasted text"),
          "clear and setText over the saved clipboard");
    check(clipboard.restore(*saved), "restore");
    check(clipboard.getText() == std::optional<std::string>(text), "restore brings the text back");
    const auto after = clipboard.snapshot();
    check(after.has_value(), "snapshot after restore");
    if (after) {
        const auto customAfter = formatBytes(*after, custom);
        check(customAfter.size() >= customBytes.size() &&
                  std::equal(customBytes.begin(), customBytes.end(), customAfter.begin()),
              "restore brings the registered format back");
        const auto dibAfter = formatBytes(*after, CF_DIB);
        check(dibAfter.size() >= dib.size() && std::equal(dib.begin(), dib.end(), dibAfter.begin()),
              "restore brings the picture back");
    }
    check(::IsClipboardFormatAvailable(CF_BITMAP) != 0, "the picture is offered as a bitmap again");

    check(clipboard.clear(), "clear before the empty snapshot");
    const auto empty = clipboard.snapshot();
    check(empty && empty->formats.empty(), "snapshot of an empty clipboard is empty");
    check(clipboard.setText("something") && empty && clipboard.restore(*empty) &&
              ::CountClipboardFormats() == 0,
          "restoring an empty snapshot leaves the clipboard empty");

    // Another program holding the clipboard for a moment only delays us.
    HANDLE heldEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const UniqueKernelHandle held(heldEvent);
    std::thread holder([heldEvent] {
        ClipboardOpen open(nullptr);
        ::SetEvent(heldEvent);
        ::Sleep(25);
    });
    ::WaitForSingleObject(held.get(), 5000);
    check(clipboard.setText("after a wait"), "setText waits for a briefly held clipboard");
    holder.join();
    check(clipboard.getText() == std::optional<std::string>("after a wait"), "getText after the wait");

    // Held for longer than we wait: reading fails, which is not the same as no
    // text. The holder opens it with a window of its own, as another program
    // would (Wine lets a second opener without a window in).
    HANDLE longHeldEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const UniqueKernelHandle longHeld(longHeldEvent);
    std::thread longHolder([longHeldEvent] {
        HWND holder =
            ::CreateWindowExA(0, "STATIC", "Quorvel selfcheck holder", 0, 0, 0, 0, 0, HWND_MESSAGE,
                              nullptr, ::GetModuleHandleA(nullptr), nullptr);
        {
            ClipboardOpen open(holder);
            ::SetEvent(longHeldEvent);
            ::Sleep(1000);
        }
        ::DestroyWindow(holder);
    });
    ::WaitForSingleObject(longHeld.get(), 5000);
    check(!clipboard.getText(), "getText of a clipboard held by another is nothing");
    longHolder.join();
    clipboard.clear();
}

// Answers the next dialog that our main thread shows, the way a user would.
class DialogAnswerer {
public:
    DialogAnswerer(DWORD thread, WORD command, std::string fileName)
        : worker_([this, thread, command, fileName] { run(thread, command, fileName); }) {}
    ~DialogAnswerer() { worker_.join(); }
    bool answered() const { return answered_; }

private:
    static BOOL CALLBACK findDialog(HWND window, LPARAM found) {
        char className[32] = {};
        ::GetClassNameA(window, className, sizeof(className));
        if (std::strcmp(className, "#32770") == 0 && ::IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    void run(DWORD thread, WORD command, const std::string& fileName) {
        for (int wait = 0; wait < 400; ++wait) {
            ::Sleep(50);
            HWND dialog = nullptr;
            ::EnumThreadWindows(thread, findDialog, reinterpret_cast<LPARAM>(&dialog));
            if (dialog == nullptr) {
                continue;
            }
            ::Sleep(300);  // let it finish setting itself up
            if (!fileName.empty()) {
                HWND field = ::GetDlgItem(dialog, cmb13);
                if (field == nullptr) {
                    field = ::GetDlgItem(dialog, edt1);
                }
                ::SetWindowTextA(field, fileName.c_str());
            }
            ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
            answered_ = true;
            return;
        }
    }

    std::atomic<bool> answered_{false};
    std::thread worker_;
};

void checkDialogs(const std::string& temp) {
    Win32Dialogs dialogs;
    const DWORD self = ::GetCurrentThreadId();
    {
        DialogAnswerer answerer(self, IDYES, {});
        check(dialogs.MsgBox("Selfcheck question", MessageButtons::YesNo, "Quorvel selfcheck") ==
                  MessageAnswer::Yes,
              "MsgBox Yes");
    }
    {
        DialogAnswerer answerer(self, IDNO, {});
        check(dialogs.MsgBox("Selfcheck question", MessageButtons::YesNo, "Quorvel selfcheck") ==
                  MessageAnswer::No,
              "MsgBox No");
    }
    {
        DialogAnswerer answerer(self, IDOK, {});
        check(dialogs.MsgBox("Selfcheck message", MessageButtons::Ok, "Quorvel selfcheck") ==
                  MessageAnswer::Ok,
              "MsgBox OK");
    }
    {
        DialogAnswerer answerer(self, IDCANCEL, {});
        check(dialogs.showOpenDialog().empty(), "showOpenDialog cancelled is empty");
    }
    const std::string chosen = temp + "\\quorvel-selfcheck-chosen.txt";
    {
        Win32Dialogs owned([] { return static_cast<HWND>(nullptr); });
        DialogAnswerer answerer(self, IDOK, chosen);
        const std::string answer = owned.showSaveDialog();
        check(!answer.empty() && ::lstrcmpiA(answer.c_str(), chosen.c_str()) == 0,
              "showSaveDialog returns the chosen path");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--probe-earlier-copy") == 0) {
        return probeEarlierCopy(argv[2]);
    }
    // A dialog nobody answers must not hang the run forever.
    std::thread([] {
        ::Sleep(180000);
        std::printf("FAIL selfcheck timed out\n");
        std::fflush(stdout);
        ::ExitProcess(3);
    }).detach();

    Win32Environment environment;
    const std::string temp = tempFolder(environment);
    const bool dialogsWanted = !(argc == 2 && std::strcmp(argv[1], "--no-dialogs") == 0);

    checkEnvironmentAndStarter();
    checkSettings();
    checkFiles(temp);
    checkShellLinks(temp);
    checkClock();
    checkCollation();

    HWND window = ::CreateWindowExA(0, "STATIC", "Quorvel selfcheck clipboard owner", 0, 0, 0, 0, 0,
                                    HWND_MESSAGE, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    check(window != nullptr, "message-only owner window");
    checkClipboard(window, "message-only window");
    checkClipboard(nullptr, "none");
    if (window != nullptr) {
        ::DestroyWindow(window);
    }

    if (dialogsWanted) {
        checkDialogs(temp);
    }

    std::printf("%s: %d failure(s)\n", failures == 0 ? "ALL PASSED" : "FAILED", failures);
    return failures == 0 ? 0 : 1;
}
