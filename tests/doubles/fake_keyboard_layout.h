#pragma once
// Some keys of a German layout as Windows reports them: "^", "´" and "`" on dead
// keys, "@" and "~" behind AltGr, Caps Lock shifting the letters and "ä".

#include <cctype>
#include <map>

#include "platform/keyboard_layout.h"

namespace quorvel {

class FakeGermanLayout final : public KeyboardLayout {
  public:
    static constexpr std::uint8_t Circumflex = 0xDC, Acute = 0xDD, Hash = 0xBF, Plus = 0xBB,
                                  Umlaut = 0xDE;

    std::optional<Key> keyFor(char32_t character) const override {
        if (character < 0x80 && std::isalnum(static_cast<int>(character))) {
            const auto upper = static_cast<std::uint8_t>(std::toupper(static_cast<int>(character)));
            return Key{.virtualKey = upper,
                       .shift = std::isupper(static_cast<int>(character)) != 0};
        }
        static const std::map<char32_t, Key> others = {
            {U' ', {.virtualKey = 0x20}},
            {U'"', {.virtualKey = '2', .shift = true}},
            {U'^', {.virtualKey = Circumflex}},
            {U'°', {.virtualKey = Circumflex, .shift = true}},
            {U'´', {.virtualKey = Acute}},
            {U'`', {.virtualKey = Acute, .shift = true}},
            {U'\'', {.virtualKey = Hash, .shift = true}},
            {U'~', {.virtualKey = Plus, .ctrl = true, .alt = true}},
            {U'@', {.virtualKey = 'Q', .ctrl = true, .alt = true}},
            {U'ä', {.virtualKey = Umlaut}},
            {U'Ä', {.virtualKey = Umlaut, .shift = true}},
        };
        const auto found = others.find(character);
        return found == others.end() ? std::nullopt : std::optional<Key>(found->second);
    }

    char32_t characterOf(std::uint8_t virtualKey, bool shift, bool capsLock) const override {
        if ((virtualKey >= 'A' && virtualKey <= 'Z') || virtualKey == Umlaut) {
            const bool upper = shift != capsLock;
            if (virtualKey == Umlaut) {
                return upper ? U'Ä' : U'ä';
            }
            return upper ? virtualKey : static_cast<char32_t>(std::tolower(virtualKey));
        }
        if (isDeadKey(virtualKey, shift)) {
            return 0;
        }
        for (char32_t c = 0x20; c < 0x100; ++c) {
            const std::optional<Key> key = keyFor(c);
            if (key && key->virtualKey == virtualKey && key->shift == shift && !key->ctrl) {
                return c;
            }
        }
        return 0;
    }

    bool isDeadKey(std::uint8_t virtualKey, bool shift) const override {
        return (virtualKey == Circumflex && !shift) || virtualKey == Acute;
    }
};

}  // namespace quorvel
