#pragma once
// Key strokes written as notation that types them again, for tests to compare:
// "+(a)" is Shift pressed, a, Shift released; "{ENTER}" the Enter key.

#include <span>
#include <string>
#include <string_view>

#include "platform/key_strokes.h"
#include "text/utf8.h"

namespace quorvel::testing {

inline std::string keysText(std::span<const KeyStroke> strokes) {
    std::string text;
    for (const KeyStroke& stroke : strokes) {
        const char32_t c = stroke.character;
        switch (stroke.kind) {
            case KeyStroke::Kind::Character:
                if (c < 0x80 && std::string_view("+^%~(){}").find(static_cast<char>(c)) !=
                                    std::string_view::npos) {
                    text += {'{', static_cast<char>(c), '}'};
                } else {
                    utf8::append(text, c);
                }
                break;
            case KeyStroke::Kind::Key:
                text += stroke.virtualKey == vk::Backspace ? "{BACKSPACE}"
                        : stroke.virtualKey == vk::Tab     ? "{TAB}"
                        : stroke.virtualKey == vk::Enter   ? "{ENTER}"
                        : stroke.virtualKey >= vk::F1 && stroke.virtualKey <= vk::F16
                            ? "{F" + std::to_string(stroke.virtualKey - vk::F1 + 1) + "}"
                            : "{#" + std::to_string(stroke.virtualKey) + "}";
                break;
            case KeyStroke::Kind::Press:
                text += "+^%"[static_cast<int>(stroke.modifier)];
                text += '(';
                break;
            case KeyStroke::Kind::Release:
                text += ')';
                break;
        }
    }
    return text;
}

}  // namespace quorvel::testing
