// Leaves a file behind to prove that a shortcut really started a program.
// Usage: started_marker.exe PATH
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: started_marker.exe PATH\n", stderr);
        return 2;
    }
    HANDLE file = CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "started_marker: cannot create the file (%lu)\n", GetLastError());
        return 1;
    }
    static const char kText[] = "started";
    DWORD written = 0;
    const BOOL ok = WriteFile(file, kText, sizeof(kText) - 1, &written, nullptr);
    CloseHandle(file);
    return ok && written == sizeof(kText) - 1 ? 0 : 1;
}
