#include "platform/win32/widgets/acting_window.h"

namespace quorvel {

namespace {
// Every window of the program lives on one thread.
HWND current = nullptr;
}  // namespace

ActingWindowScope::ActingWindowScope(HWND window) : previous_(current) {
    const HWND root = window != nullptr ? ::GetAncestor(window, GA_ROOT) : nullptr;
    current = root != nullptr ? root : window;
}

ActingWindowScope::~ActingWindowScope() {
    current = previous_;
}

HWND actingWindow() {
    return current;
}

}  // namespace quorvel
