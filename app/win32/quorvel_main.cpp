#include <windows.h>

#include "app/win32/host_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    quorvel::Host host;
    return host.run(instance);
}
