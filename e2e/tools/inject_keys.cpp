// Types its argument with SendInput, as any other program could, so the tests
// can check that keys injected by someone else never fire a shortcut.
// Usage: inject_keys.exe TEXT   (small letters, digits and blanks)
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

INPUT keyEvent(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: inject_keys.exe TEXT\n", stderr);
        return 2;
    }
    for (const char c : std::string(argv[1])) {
        const bool letter = c >= 'a' && c <= 'z';
        if (!letter && c != ' ' && (c < '0' || c > '9')) {
            std::fprintf(stderr, "inject_keys: unsupported character 0x%02x\n",
                         static_cast<unsigned>(static_cast<unsigned char>(c)));
            return 2;
        }
        const WORD vk = letter ? static_cast<WORD>(c - 'a' + 'A') : static_cast<WORD>(c);
        // One key at a time, with a pause, like a fast typist rather than a burst.
        for (const bool up : {false, true}) {
            INPUT input = keyEvent(vk, up);
            if (SendInput(1, &input, sizeof(INPUT)) != 1) {
                std::fprintf(stderr, "inject_keys: SendInput failed (%lu)\n", GetLastError());
                return 1;
            }
            Sleep(10);
        }
    }
    return 0;
}
