#pragma once
// The keyboard layout as Windows reports it. Nothing here touches the dead-key
// state of this thread: MapVirtualKeyEx never does, and flag 4 keeps
// ToUnicodeEx from it (Windows 10 1607 on, which the program needs anyway).

#include <windows.h>

#include "platform/keyboard_layout.h"

namespace quorvel {

class Win32KeyboardLayout final : public KeyboardLayout {
  public:
    explicit Win32KeyboardLayout(HKL layout) : layout_(layout) {}

    std::optional<Key> keyFor(char32_t character) const override;
    char32_t characterOf(std::uint8_t virtualKey, bool shift, bool capsLock) const override;
    bool isDeadKey(std::uint8_t virtualKey, bool shift) const override;

  private:
    int toUnicode(std::uint8_t virtualKey, bool shift, bool capsLock, WCHAR (&buffer)[4]) const;

    HKL layout_;
};

}  // namespace quorvel
