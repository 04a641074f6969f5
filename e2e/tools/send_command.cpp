// Acts on the programs under test from outside, as a person's click would:
//   send_command.exe <command id>    chooses an item of Quorvel's menu bar
//   send_command.exe --clear-target  empties the test target's text box
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: send_command <command id> | --clear-target\n");
        return 2;
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
