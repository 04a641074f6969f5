// Exercises the Windows services against the real system (Windows or Wine) and
// prints one PASS or FAIL line per check. Exit code 0 only when all pass. What
// the suites already see the program do through a service (files saved and
// read, a file held open unshared, settings, links, the second copy, the run
// macro, dates typed, text copied and pasted, a clipboard held too long) is
// theirs; this checks the edges the program relies on but rarely meets.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_collation.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_focus_inspector.h"
#include "platform/win32/win32_program_starter.h"
#include "platform/win32/win32_settings_store.h"
#include "platform/win32/win32_text.h"

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

// A run macro's program and arguments may be named in any script.
void checkProgramStarter(const std::string& temp) {
    Win32ProgramStarter starter;
    const std::wstring folder = wideText(temp + "\\quorvel-selfcheck-made-" + Unicode);
    ::RemoveDirectoryW(folder.c_str());
    const bool started =
        starter.startProgram("cmd.exe /c mkdir \"" + utf8Text(folder.c_str()) + "\"");
    bool made = false;
    for (int wait = 0; started && wait < 300 && !made; ++wait) {
        ::Sleep(50);
        made = ::RemoveDirectoryW(folder.c_str()) != 0;
    }
    check(made, "startProgram with an argument beyond the ANSI code page");
    check(starter.startProgram("cmd.exe /c exit 0"),
          "startProgram finds a program on the search path");
    check(
        !starter.startProgram("quorvel-selfcheck-no-such-program.exe") && !starter.startProgram(""),
        "startProgram reports a missing program and an empty command line");
}

void checkSettings() {
    Win32SettingsStore store;
    const char* app = "Quorvel Selfcheck";
    store.eraseApplication(app);  // most often not there: it must return all the same
    const std::string big(5000, 'b');
    store.write({app, "Main", "Empty"}, "");
    store.write({app, "Main", "Big"}, big);
    const char* mainKey = "Software\\VB and VBA Program Settings\\Quorvel Selfcheck\\Main";
    const DWORD number = 42;
    ::RegSetKeyValueA(HKEY_CURRENT_USER, mainKey, "Number", REG_DWORD, &number, sizeof(number));
    // As the ANSI version of the program wrote its settings.
    const char ansi[] = "\xE9t\xE9 \xAF 500";
    ::RegSetKeyValueA(HKEY_CURRENT_USER, mainKey, "Ansi", REG_SZ, ansi, sizeof(ansi));
    const struct {
        const char* section;
        const char* key;
        std::string expected;
        const char* what;
    } cases[] = {
        {"Main", "Missing", "fallback", "read default for a missing key"},
        {"Nowhere", "Big", "fallback", "read default for a missing section"},
        {"Main", "Number", "fallback", "read default for a value that is not a string"},
        {"Main", "Empty", "", "an empty value is kept"},
        {"main", "BIG", big, "a long value round trip, names in any case"},
    };
    for (const auto& setting : cases) {
        check(store.read({app, setting.section, setting.key}, "fallback") == setting.expected,
              setting.what);
    }
    if (::GetACP() == 1252) {
        check(store.read({app, "Main", "Ansi"}, "") == "été ¯ 500",
              "a value written by the ANSI functions reads back the same");
    }

    // Other programs keep their settings under the same root.
    store.eraseApplication(app);
    UniqueHkey root;
    check(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings", 0, KEY_READ,
                          root.put()) == ERROR_SUCCESS,
          "eraseApplication leaves the shared root key");
}

void checkFiles(const std::string& temp) {
    Win32Files files;
    const std::string path =
        temp + "\\quorvel-selfcheck-" + std::to_string(::GetCurrentProcessId()) + ".txt";
    files.deleteFile(path);

    check(!files.readAll(path) && !files.exists(path) && !files.readAll(temp) && files.exists(temp),
          "a missing file is nothing, a folder exists but reads as nothing");
    for (const std::string& contents : {std::string("line\r\n\0\x1A\xFF end", 12), std::string()}) {
        check(files.replaceAtomically(path, contents) &&
                  files.readAll(path) == std::optional<std::string>(contents),
              "contents kept byte for byte, none too");
    }
    check(!files.replaceAtomically(temp + "\\quorvel-no-such-folder\\file.txt", "x"),
          "replaceAtomically into a missing folder fails");
    check(files.replaceAtomically(path, "kept"), "replaceAtomically again");
    {
        // Another program reading the file without sharing deletion blocks the
        // replacement; the old contents must survive.
        UniqueFileHandle holder(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        check(holder && !files.replaceAtomically(path, "lost"),
              "replaceAtomically fails on a file another program holds");
        check(!files.exists(path + ".quorvel-tmp"),
              "the temporary file is removed after a failure");
        check(files.readAll(path) == std::optional<std::string>("kept"),
              "readAll while another reader holds it");
    }

    // Else every user would keep the list apart from the program's folder.
    check(!files.ownedByAnotherUser(path) && !files.ownedByAnotherUser(path + ".missing"),
          "this user's own file and a missing one are no other user's");

    // The copy kept aside of a file that could not be read, beside it.
    const std::string named = temp + "\\quorvel-selfcheck-" + Unicode + ".qvb";
    check(files.replaceAtomically(named, Unicode) && files.copyFile(named, named + ".unread") &&
              files.readAll(named + ".unread") == std::optional<std::string>(Unicode) &&
              files.deleteFile(named) && files.deleteFile(named + ".unread") &&
              !files.exists(named),
          "files named beyond the ANSI code page");

    // The user's application data may be named in any script.
    const std::string folder = temp + "\\quorvel-selfcheck-folder-" + Unicode;
    check(files.createFolder(folder) && files.canCreateFilesIn(folder) &&
              ::RemoveDirectoryW(wideText(folder).c_str()),
          "createFolder beyond the ANSI code page, and files can be created there");

    files.deleteFile(path);
}

void checkLocale() {
    Win32Locale locale;
    DateTime when{.year = 2026, .month = 12, .day = 6, .hour = 8, .minute = 35, .second = 46};
    const std::string time = locale.longTime(when);
    const std::string month = locale.monthName(12);
    std::printf("     user locale %04lx: %s | %s | %s\n",
                static_cast<unsigned long>(::GetUserDefaultLCID()), locale.shortDate(when).c_str(),
                time.c_str(), month.c_str());
    if (::GetUserDefaultLCID() == 0x0409) {
        check(month == "December" && locale.monthName(1) == "January",
              "monthName in English (United States)");
    } else if (::GetUserDefaultLCID() == 0x0408) {
        // A user language beyond the ANSI code page of a Western system.
        check(month == "Δεκέμβριος" && time == "8:35:46 π.μ.", "month and time in Greek");
    }
    check(locale.monthName(0).empty() && locale.monthName(13).empty(),
          "monthName out of range is empty");
    when.month = 2;
    when.day = 31;
    check(locale.shortDate(when).empty(), "shortDate of an impossible date is empty");
}

// Accented letters sort beside their plain ones, in Windows-1252 and beyond it.
void checkCollation() {
    Win32Collation collation;
    const struct {
        const char* first;
        const char* second;
    } inOrder[] = {
        {"éclair", "zebra"}, {"éclair", "École"}, {"eagle", "éclair"}, {"a", "B"},
        {"", "a"},           {"żaba", "zebra"},   {"lody", "Łódź"},
    };
    for (const auto& pair : inOrder) {
        const std::string what =
            "\"" + std::string(pair.first) + "\" sorts before \"" + pair.second + "\"";
        check(collation.compare(pair.first, pair.second) < 0 &&
                  collation.compare(pair.second, pair.first) > 0,
              what.c_str());
    }
    check(collation.compare("ABC", "abc") == 0 && collation.compare("", "") == 0,
          "case is ignored");
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
    const auto refused = [&](const char* lacked) {
        std::string none;
        return !codePage.appendAnsi(none, lacked);
    };
    check(refused("ż") && refused("Ω") && refused("日") && refused("→") && refused("😀"),
          "ANSI code page: no look-alike for a character it lacks");
}

// Puts bytes on the open clipboard the way another program would.
bool putRaw(UINT format, const void* bytes, std::size_t size) {
    UniqueHglobal memory(::GlobalAlloc(GMEM_MOVEABLE, size));
    void* data = memory ? ::GlobalLock(memory.get()) : nullptr;
    if (data == nullptr) {
        return false;
    }
    std::memcpy(data, bytes, size);
    ::GlobalUnlock(memory.get());
    // The clipboard owns the memory once it has taken it.
    return ::SetClipboardData(format, memory.get()) != nullptr && memory.release() != nullptr;
}

void checkClipboard(HWND owner) {
    Win32Clipboard clipboard(owner);
    check(clipboard.clear() && clipboard.getText() == std::optional<std::string>(""),
          "getText of an empty clipboard is empty text");
    constexpr SnapshotLimits limits{1 << 20, 5000};
    constexpr auto taken = SnapshotResult::Outcome::Taken;
    constexpr auto restored = Clipboard::RestoreOutcome::Restored;
    const auto empty = clipboard.snapshot(limits);
    check(empty.outcome == taken && empty.contents.formats.empty() &&
              clipboard.offerPaste("something") && clipboard.restore(empty.contents) == restored &&
              ::CountClipboardFormats() == 0,
          "an empty clipboard is saved and given back empty");

    // Text as an ANSI program leaves it, which the system offers as Unicode too.
    const std::string ansiText = "Line one\r\nLine two \xE9\xFC";
    bool put = false;
    {
        ClipboardOpen open(owner, 5, 10);
        put = open && ::EmptyClipboard() && putRaw(CF_TEXT, ansiText.c_str(), ansiText.size() + 1);
    }
    check(put, "test puts an ANSI program's text");
    check(clipboard.snapshot({4, 5000}).outcome == SnapshotResult::Outcome::TooLarge,
          "a clipboard beyond the size bound is not saved");
    const auto saved = clipboard.snapshot(limits);
    check(saved.outcome == taken && clipboard.offerPaste("pasted text") &&
              clipboard.restore(saved.contents) == restored,
          "snapshot, paste and restore");
    if (::GetACP() == 1252) {
        check(clipboard.getText() == std::optional<std::string>("Line one\r\nLine two éü"),
              "restore brings the text back, an ANSI program's text read as Unicode");
    }

    // Written by another program after the paste: the restore leaves it.
    HWND holder = ::CreateWindowExA(0, "STATIC", "Quorvel selfcheck holder", 0, 0, 0, 0, 0,
                                    HWND_MESSAGE, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    bool copied = clipboard.offerPaste("pasted text");
    {
        ClipboardOpen open(holder);
        copied = copied && open && ::EmptyClipboard() && putRaw(CF_TEXT, "copy", 5);
    }
    check(copied && clipboard.restore(saved.contents) == Clipboard::RestoreOutcome::NotOurs &&
              clipboard.getText() == std::optional<std::string>("copy"),
          "a copy made after a paste is not overwritten by the restore");
    ::DestroyWindow(holder);
    clipboard.clear();
}

// A window in front with a Japanese layout, on a thread that answers no message
// while `busy` holds: as a program busy with its own work.
DWORD WINAPI busyJapaneseWindow(void* busy) {
    ::ActivateKeyboardLayout(::LoadKeyboardLayoutW(L"00000411", 0), 0);
    const HWND window = ::CreateWindowExW(0, L"EDIT", L"Quorvel selfcheck busy window",
                                          WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                          nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetForegroundWindow(window);
    ::SetFocus(window);
    auto& flag = *static_cast<std::atomic<int>*>(busy);
    flag = 1;
    while (flag == 1) {
        ::Sleep(20);
    }
    ::DestroyWindow(window);
    return 0;
}

// The keyboard hook asks where the user types at every key: the answer must
// never wait for another program, even with an input method's layout in front.
void checkFocusInspectorWaitsForNoOne() {
    std::atomic<int> busy{0};
    const UniqueKernelHandle thread(
        ::CreateThread(nullptr, 0, &busyJapaneseWindow, &busy, 0, nullptr));
    while (busy == 0) {
        ::Sleep(10);
    }
    Win32FocusInspector inspector;
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> milliseconds;
    for (int key = 0; key < 30; ++key) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        ::QueryPerformanceCounter(&start);
        inspector.inspect();
        ::QueryPerformanceCounter(&end);
        milliseconds.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                               static_cast<double>(frequency.QuadPart));
    }
    busy = 2;
    ::WaitForSingleObject(thread.get(), 5000);
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("inspect with a busy Japanese window in front: median %.3f ms, most %.3f ms\n",
                milliseconds[milliseconds.size() / 2], milliseconds.back());
    // The first look reads the program's name; none may wait on the window.
    check(milliseconds[milliseconds.size() - 2] < 5, "the focus inspector waits for no program");
}

}  // namespace

int main() {
    std::string temp = Win32Environment().getVariable("TEMP");
    while (!temp.empty() && temp.back() == '\\') {
        temp.pop_back();
    }

    checkProgramStarter(temp);
    checkSettings();
    checkFiles(temp);
    checkLocale();
    checkCollation();
    checkCodePage();
    checkFocusInspectorWaitsForNoOne();

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
