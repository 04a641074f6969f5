// Exercises the Windows services against the real system (Windows or Wine) and
// prints one PASS or FAIL line per check. Exit code 0 only when all pass. What
// the suites already see the program do through a service (typing keys, links
// made by the installer, message boxes and file dialogs answered, text copied
// and pasted) is theirs; this checks the edges the program rarely meets.

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_collation.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_program_starter.h"
#include "platform/win32/win32_settings_store.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_tray.h"

using namespace quorvel;

namespace {

int failures = 0;

// Text beyond any ANSI code page: Polish, Greek, Japanese, symbols and an emoji.
const std::string Unicode = "Zażółć gęślą jaźń Ελληνικά 日本語 → ✓ 😀";

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
    return files.replaceAtomically(resultFile, environment.earlierCopyRunning() ? "1" : "0") ? 0
                                                                                             : 1;
}

// Child mode, started from a folder with a name beyond the ANSI code page:
// reports its program folder in a file named by its (wide) command line.
int probeProgramFolder() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr || count != 3) {
        return 2;
    }
    const std::string resultFile = utf8Text(arguments[2]);
    ::LocalFree(arguments);
    Win32Environment environment;
    Win32Files files;
    return files.replaceAtomically(resultFile, environment.programFolder()) ? 0 : 1;
}

void checkEnvironmentAndStarter() {
    Win32Environment environment;
    const std::string folder = environment.programFolder();
    check(!folder.empty() && folder.back() != '\\' && folder.back() != '/',
          "programFolder has no trailing separator");
    check(exists(folder + "\\quorvel_services_selfcheck.exe"), "programFolder holds this program");

    check(!environment.getVariable("TEMP").empty(), "getVariable TEMP");
    check(environment.getVariable("QUORVEL_SELFCHECK_NOT_SET").empty(),
          "getVariable missing is empty");
    const std::string longValue(3000, 'v');
    ::SetEnvironmentVariableA("QUORVEL_SELFCHECK_LONG", longValue.c_str());
    check(environment.getVariable("quorvel_selfcheck_long") == longValue,
          "getVariable long value, name in other case");

    check(isFolder(environment.applicationDataFolder()), "applicationDataFolder is a folder");
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
    const std::string result = tempFolder(environment) + "\\quorvel-selfcheck-probe-" +
                               std::to_string(::GetCurrentProcessId());
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

    // A program in a folder named beyond the ANSI code page, started with such
    // an argument, finds its own folder.
    const std::string unicodeFolder = tempFolder(environment) + "\\quorvel-selfcheck-" + Unicode;
    const std::string copy = unicodeFolder + "\\quorvel_services_selfcheck.exe";
    const std::string named = unicodeFolder + "\\" + Unicode + ".txt";
    ::CreateDirectoryW(wideText(unicodeFolder).c_str(), nullptr);
    const bool copied = files.copyFile(exePath(), copy);
    check(copied, "copyFile into a folder named beyond the ANSI code page");
    const bool startedThere =
        copied && starter.startProgram("\"" + copy + "\" --probe-folder \"" + named + "\"");
    check(startedThere, "startProgram with a path and argument beyond the ANSI code page");
    std::optional<std::string> reported;
    for (int wait = 0; startedThere && wait < 300 && !reported; ++wait) {
        ::Sleep(50);
        reported = files.readAll(named);
    }
    check(reported == std::optional<std::string>(unicodeFolder),
          "programFolder beyond the ANSI code page");
    for (int attempt = 0; attempt < 50 && !files.deleteFile(copy); ++attempt) {
        ::Sleep(50);  // until the child has ended
    }
    files.deleteFile(named);
    ::RemoveDirectoryW(wideText(unicodeFolder).c_str());

    ::SetEnvironmentVariableW(L"QUORVEL_SELFCHECK_UNICODE", wideText(Unicode).c_str());
    check(environment.getVariable("QUORVEL_SELFCHECK_UNICODE") == Unicode,
          "getVariable beyond the ANSI code page");

    check(starter.startProgram("cmd.exe /c exit 0"),
          "startProgram finds a program on the search path");
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
    store.SaveSetting(app, "Main", "Greeting", "hello é " + Unicode);
    check(store.GetSetting(app, "Main", "Greeting", "") == "hello é " + Unicode,
          "SaveSetting round trip beyond the ANSI code page");
    check(store.GetSetting("QUORVEL SELFCHECK", "main", "GREETING", "") == "hello é " + Unicode,
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
        // As the ANSI version of the program wrote its settings.
        const char ansi[] = "\xE9t\xE9 \xAF 500";
        ::RegSetValueExA(section.get(), "Ansi", 0, REG_SZ, reinterpret_cast<const BYTE*>(ansi),
                         sizeof(ansi));
    }
    if (::GetACP() == 1252) {
        check(store.GetSetting(app, "Main", "Ansi", "") == "été ¯ 500",
              "a value written by the ANSI functions reads back the same");
    }
    check(store.GetSetting(app, "Main", "Number", "fallback") == "fallback",
          "GetSetting default for a value that is not a string");
    section.reset();

    store.DeleteSetting(app);
    UniqueHkey gone;
    check(::RegOpenKeyExA(HKEY_CURRENT_USER,
                          "Software\\VB and VBA Program Settings\\Quorvel Selfcheck", 0, KEY_READ,
                          gone.put()) == ERROR_FILE_NOT_FOUND,
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
    const std::string base =
        temp + "\\quorvel-selfcheck-" + std::to_string(::GetCurrentProcessId());
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
    check(files.replaceAtomically(path, large) &&
              files.readAll(path) == std::optional<std::string>(large),
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
        check(files.readAll(path) == std::optional<std::string>("kept"),
              "readAll while another reader holds it");
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

    const std::string named = temp + "\\quorvel-selfcheck-" + Unicode + ".qvb";
    check(files.replaceAtomically(named, Unicode) && files.exists(named) &&
              files.readAll(named) == std::optional<std::string>(Unicode) &&
              files.copyFile(named, named + ".unread") &&
              files.readAll(named + ".unread") == std::optional<std::string>(Unicode) &&
              files.deleteFile(named) && files.deleteFile(named + ".unread") &&
              !files.exists(named),
          "files named beyond the ANSI code page");

    check(files.copyFile(path, copy), "copyFile");
    check(files.readAll(copy) == std::optional<std::string>("kept"), "the copy has the contents");
    check(files.replaceAtomically(path, "newer") && files.copyFile(path, copy) &&
              files.readAll(copy) == std::optional<std::string>("newer"),
          "copyFile overwrites");
    check(!files.copyFile(path + ".missing", copy), "copyFile of a missing file fails");

    const std::string folder = base + "-folder-" + Unicode;
    check(files.canCreateFilesIn(temp), "canCreateFilesIn a folder of the user's");
    check(!files.canCreateFilesIn(folder), "canCreateFilesIn a missing folder is false");
    const auto isWideFolder = [&] {
        const DWORD attributes = ::GetFileAttributesW(wideText(folder).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    };
    check(files.createFolder(folder) && isWideFolder() && files.createFolder(folder),
          "createFolder, and again when it is there");
    check(files.canCreateFilesIn(folder) && ::RemoveDirectoryW(wideText(folder).c_str()),
          "canCreateFilesIn leaves the folder empty");
    check(!files.createFolder(path), "createFolder where a file is fails");

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
    std::printf("     user locale %04lx: %s | %s | %s\n",
                static_cast<unsigned long>(::GetUserDefaultLCID()), date.c_str(), time.c_str(),
                month.c_str());
    if (::GetUserDefaultLCID() == 0x0409) {
        check(date == "12/6/2026", "shortDate in English (United States)");
        check(time == "8:35:46 AM", "longTime in English (United States)");
        check(month == "December", "monthName in English (United States)");
        check(locale.monthName(1) == "January", "monthName of January");
    } else if (::GetUserDefaultLCID() == 0x0408) {
        // A user language beyond the ANSI code page of a Western system.
        check(month == "Δεκέμβριος" && time == "8:35:46 π.μ.", "month and time in Greek");
    } else {
        check(!date.empty() && !time.empty() && !month.empty(), "locale strings are present");
    }
    check(locale.monthName(0).empty() && locale.monthName(13).empty(),
          "monthName out of range is empty");
    DateTime impossible = when;
    impossible.month = 2;
    impossible.day = 31;
    check(locale.shortDate(impossible).empty(), "shortDate of an impossible date is empty");
}

// Accented letters sort beside their plain ones, in Windows-1252 and beyond it.
void checkCollation() {
    Win32Collation collation;
    const std::string eclair = "éclair";
    const std::string ecole = "École";
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
    check(collation.compare("żaba", "zebra") < 0 && collation.compare("Łódź", "lody") > 0,
          "letters beyond Windows-1252 sort beside their plain ones");
}

// The ANSI code page of a Western system (Wine under en_US.UTF-8) round-trips
// every byte, the five Windows-1252 leaves undefined too, and refuses what it
// lacks.
void checkCodePage() {
    Win32AnsiCodePage codePage;
    if (::GetACP() == 1253) {
        std::string greek;
        std::string back;
        check(codePage.appendAnsi(greek, "Ελληνικά") && greek.size() == 8 &&
                  codePage.appendUtf8(back, greek) && back == "Ελληνικά",
              "ANSI code page 1253 holds Greek");
    }
    if (::GetACP() != 1252) {
        std::printf("     ANSI code page %u: Windows-1252 checks skipped\n", ::GetACP());
        return;
    }
    std::string every;
    for (int byte = 1; byte < 256; ++byte) {
        every += static_cast<char>(byte);
    }
    std::string text;
    const bool exact = codePage.appendUtf8(text, every);
    std::string back;
    check(exact && codePage.appendAnsi(back, text) && back == every,
          "ANSI code page: every byte reads and writes back as itself");
    check(text.find("\xC2\x81") != std::string::npos &&
              text.find("\xC2\x9D") != std::string::npos && text.find("€") != std::string::npos &&
              text.find("¯") != std::string::npos,
          "ANSI code page: the undefined bytes are control characters, 0x80 is the euro");
    for (const char* lacked : {"ż", "Ω", "日", "→", "😀"}) {
        std::string none;
        check(!codePage.appendAnsi(none, lacked),
              "ANSI code page: no look-alike for a character it lacks");
    }
}

void checkTrayTip() {
    TrayIconData data;
    data.tip = "Quorvel ✓ " + std::string(60, 'x');
    const NOTIFYICONDATAW record = notifyIconRecord(data);
    check(record.cbSize == NOTIFYICONDATAW_V1_SIZE &&
              utf8Text(record.szTip, 64) == data.tip.substr(0, 65) && record.szTip[63] == L'\0',
          "tray tip in UTF-16, cut at 63 characters");
    data.tip = std::string(62, 'x') + "😀";
    check(utf8Text(notifyIconRecord(data).szTip, 64) == std::string(62, 'x'),
          "tray tip not cut inside a surrogate pair");
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

void checkClipboard(HWND owner) {
    Win32Clipboard clipboard(owner);
    const std::string ansiText = "Line one\r\nLine two \xE9\xFC";
    const std::string text = "Line one\r\nLine two éü";

    check(clipboard.clear() && ::CountClipboardFormats() == 0, "clear empties the clipboard");
    check(clipboard.getText() == std::optional<std::string>(""),
          "getText of an empty clipboard is empty text");

    // Text, a private registered format and a picture, as another program leaves them.
    const UINT custom = ::RegisterClipboardFormatA("Quorvel Selfcheck Format");
    const std::vector<std::uint8_t> customBytes = {1, 2, 3, 0, 250, 7, 9};
    const std::vector<std::uint8_t> dib = smallDib();
    bool put = false;
    {
        ClipboardOpen open(owner, 5, 10);
        put = open && ::EmptyClipboard() &&
              putRaw(CF_TEXT, ansiText.c_str(), ansiText.size() + 1) &&
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

    check(clipboard.clear() && clipboard.setText("pasted text") &&
              clipboard.getText() == std::optional<std::string>("pasted text"),
          "clear and setText over the saved clipboard");
    check(clipboard.restore(*saved), "restore");
    if (::GetACP() == 1252) {
        check(clipboard.getText() == std::optional<std::string>(text),
              "restore brings the text back, an ANSI program's text read as Unicode");
    }
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
    check(!clipboard.available(), "a clipboard held by another is not available");
    longHolder.join();
    check(clipboard.available(), "a clipboard no one holds is available");
    clipboard.clear();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--probe-earlier-copy") == 0) {
        return probeEarlierCopy(argv[2]);
    }
    if (argc == 3 && std::strcmp(argv[1], "--probe-folder") == 0) {
        return probeProgramFolder();
    }
    Win32Environment environment;
    const std::string temp = tempFolder(environment);

    checkEnvironmentAndStarter();
    checkSettings();
    checkFiles(temp);
    checkClock();
    checkCollation();
    checkCodePage();
    checkTrayTip();

    HWND window = ::CreateWindowExA(0, "STATIC", "Quorvel selfcheck clipboard owner", 0, 0, 0, 0, 0,
                                    HWND_MESSAGE, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    check(window != nullptr, "message-only owner window");
    if (window != nullptr) {
        checkClipboard(window);
        ::DestroyWindow(window);
    }

    std::printf("%s: %d failure(s)\n", failures == 0 ? "ALL PASSED" : "FAILED", failures);
    return failures == 0 ? 0 : 1;
}
