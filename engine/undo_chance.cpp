#include "engine/undo_chance.h"

#include "platform/virtual_keys.h"
#include "text/utf8.h"

namespace quorvel {

namespace {

// "\r\n", a lone "\r" and a lone "\n" all as "\n": edit boxes keep CR LF, rich
// edit boxes a lone CR.
std::string withLineFeeds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::optional<std::string> sentCharacters(std::span<const KeyStroke> strokes) {
    std::string text;
    for (const KeyStroke& stroke : strokes) {
        if (stroke.kind == KeyStroke::Kind::Key && stroke.virtualKey == vk::Enter) {
            text += '\n';
        } else if (stroke.kind == KeyStroke::Kind::Key && stroke.virtualKey == vk::Tab) {
            text += '\t';
        } else if (stroke.kind == KeyStroke::Kind::Character && stroke.character <= 0xFFFF &&
                   stroke.character != '\r' && stroke.character != '\n') {
            utf8::append(text, stroke.character);
        } else {
            return std::nullopt;
        }
    }
    return text;
}

bool undoableUnread(std::string_view text, bool pasted) {
    return !pasted && text.find_first_of(AutocorrectedCharacters) == std::string_view::npos &&
           text.find_first_of("\n\t") == std::string_view::npos;
}

std::optional<std::size_t> undoErasures(const UndoChance& chance,
                                        const std::optional<std::string>& beforeCaret) {
    const bool mayErase = beforeCaret ? withLineFeeds(*beforeCaret).ends_with(chance.text)
                                      : undoableUnread(chance.text, chance.pasted);
    if (!mayErase) {
        return std::nullopt;
    }
    return utf8::length(chance.text);
}

}  // namespace quorvel
