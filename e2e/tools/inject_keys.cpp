// Types its argument with SendInput, as any other program could, so the tests
// can check that keys injected by someone else never fire a shortcut.
// Usage: inject_keys.exe [--delay-ms N] TEXT   (letters, digits and blanks)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

INPUT keyEvent(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.ki.time = 0;
    input.ki.dwExtraInfo = 0;
    return input;
}

bool virtualKeyFor(char c, WORD& vk, bool& shifted) {
    shifted = false;
    if (c >= 'a' && c <= 'z') {
        vk = static_cast<WORD>('A' + (c - 'a'));
    } else if (c >= 'A' && c <= 'Z') {
        vk = static_cast<WORD>(c);
        shifted = true;
    } else if (c >= '0' && c <= '9') {
        vk = static_cast<WORD>(c);
    } else if (c == ' ') {
        vk = VK_SPACE;
    } else {
        return false;
    }
    return true;
}

int usage() {
    std::fputs("usage: inject_keys.exe [--delay-ms N] TEXT\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int index = 1;
    unsigned long delayMs = 0;
    if (index < argc && std::strcmp(argv[index], "--delay-ms") == 0) {
        if (index + 1 >= argc) return usage();
        char* end = nullptr;
        delayMs = std::strtoul(argv[index + 1], &end, 10);
        if (end == argv[index + 1] || *end != '\0') return usage();
        index += 2;
    }
    if (index != argc - 1) return usage();
    const std::string text = argv[index];

    std::vector<INPUT> events;
    for (char c : text) {
        WORD vk = 0;
        bool shifted = false;
        if (!virtualKeyFor(c, vk, shifted)) {
            std::fprintf(stderr, "inject_keys: unsupported character 0x%02x\n",
                         static_cast<unsigned>(static_cast<unsigned char>(c)));
            return 2;
        }
        if (shifted) events.push_back(keyEvent(VK_SHIFT, false));
        events.push_back(keyEvent(vk, false));
        events.push_back(keyEvent(vk, true));
        if (shifted) events.push_back(keyEvent(VK_SHIFT, true));
    }

    if (delayMs > 0) Sleep(static_cast<DWORD>(delayMs));
    // One key at a time, with a pause, like a fast typist rather than a burst.
    for (INPUT& input : events) {
        if (SendInput(1, &input, sizeof(INPUT)) != 1) {
            std::fprintf(stderr, "inject_keys: SendInput failed (%lu)\n", GetLastError());
            return 1;
        }
        Sleep(10);
    }
    return 0;
}
