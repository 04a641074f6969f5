#include "engine/key_names.h"

#include <array>

#include "engine/key_filter.h"
#include "platform/virtual_keys.h"
#include "text/utf8_text.h"

namespace quorvel {

std::string keyNameOf(std::int16_t keyCode) {
    // The blank, the digits, the letters and the keys of the numeric pad
    // between them go by the character of their code.
    if (keyCode >= vk::Space && keyCode < vk::F1) {
        return std::string(1, static_cast<char>(keyCode));
    }
    if (isFunctionKey(keyCode)) {
        return "{F" + std::to_string(keyCode - vk::F1 + 1) + "}";
    }
    switch (keyCode) {
        case vk::Semicolon:
            return ";";
        case vk::Equals:
            return "=";
        case vk::Comma:
            return ",";
        case vk::Minus:
            return "-";
        case vk::Period:
            return ".";
        case vk::Slash:
            return "/";
        case vk::OpenBracket:
            return "[";
        case vk::Backslash:
            return "\\";
        case vk::CloseBracket:
            return "]";
        default:
            return {};
    }
}

std::string modifierPrefix(ModifierSet recorded) {
    if (recorded == modifiers::Shift) {
        return "{Shift}";
    }
    if (recorded == modifiers::Ctrl) {
        return "{Ctrl}";
    }
    if (recorded == modifiers::CtrlShift) {
        return "{Ctrl}{Shift}";
    }
    if (recorded == modifiers::Alt) {
        return "{Alt}";
    }
    return {};
}

std::string fullFunctionKeyName(const std::string& functionKeyName, ModifierSet recorded) {
    return modifierPrefix(recorded) + functionKeyName;
}

bool isKeyNameCharacter(char32_t character) {
    // Every name is ASCII; the table is built from the names themselves.
    static const std::array<bool, 128> named = [] {
        std::array<bool, 128> table{};
        auto note = [&table](const std::string& name) {
            for (const char c : lowerCase(name)) {
                table[static_cast<unsigned char>(c) & 0x7F] = true;
            }
        };
        for (std::int16_t code = 0; code < 256; ++code) {
            note(keyNameOf(code));
        }
        note(modifierPrefix(modifiers::CtrlShift));
        note(modifierPrefix(modifiers::Alt));
        return table;
    }();
    return character < named.size() && named[character];
}

}  // namespace quorvel
