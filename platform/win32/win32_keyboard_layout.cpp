#include "platform/win32/win32_keyboard_layout.h"

namespace quorvel {

std::optional<KeyboardLayout::Key> Win32KeyboardLayout::keyFor(char32_t character) const {
    const SHORT scan =
        character <= 0xFFFF ? ::VkKeyScanExW(static_cast<WCHAR>(character), layout_) : -1;
    // The higher shift-state bits are keys of Japanese layouts and the like.
    if (scan == -1 || (HIBYTE(scan) & ~0x07) != 0) {
        return std::nullopt;
    }
    return Key{.virtualKey = LOBYTE(scan),
               .shift = (HIBYTE(scan) & 1) != 0,
               .ctrl = (HIBYTE(scan) & 2) != 0,
               .alt = (HIBYTE(scan) & 4) != 0};
}

char32_t Win32KeyboardLayout::characterOf(std::uint8_t virtualKey, bool shift,
                                          bool capsLock) const {
    WCHAR buffer[4] = {};
    return toUnicode(virtualKey, shift, capsLock, buffer) == 1 ? buffer[0] : 0;
}

// The map's top bit marks a key dead without Shift (its shifted character then
// goes as itself too, which costs nothing); ToUnicodeEx answers for Shift.
bool Win32KeyboardLayout::isDeadKey(std::uint8_t virtualKey, bool shift) const {
    if ((::MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_CHAR, layout_) & 0x80000000u) != 0) {
        return true;
    }
    WCHAR buffer[4] = {};
    return toUnicode(virtualKey, shift, false, buffer) < 0;
}

int Win32KeyboardLayout::toUnicode(std::uint8_t virtualKey, bool shift, bool capsLock,
                                   WCHAR (&buffer)[4]) const {
    BYTE state[256] = {};
    if (shift) {
        state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    }
    if (capsLock) {
        state[VK_CAPITAL] = 0x01;
    }
    const UINT scanCode = ::MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_VSC, layout_);
    return ::ToUnicodeEx(virtualKey, scanCode, state, buffer, 4, 4, layout_);
}

}  // namespace quorvel
