#include "engine/send_keys_notation.h"

#include <array>
#include <cstddef>

#include "text/utf8.h"

namespace quorvel {

namespace {

struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;

    Modifiers operator|(const Modifiers& other) const {
        return {shift || other.shift, ctrl || other.ctrl, alt || other.alt};
    }
};

struct NamedKey {
    std::string_view name;
    std::uint8_t virtualKey;
};

constexpr std::uint8_t VkReturn = 13;
constexpr std::uint8_t VkTab = 9;
constexpr std::uint8_t VkF1 = 112;
constexpr int FunctionKeyCount = 16;

// F1..F16 are recognised separately by functionKey().
constexpr std::array<NamedKey, 28> namedKeys = {{
    {"BACKSPACE", 8},  {"BS", 8},           {"BKSP", 8},     {"BREAK", 3},   {"CAPSLOCK", 20},
    {"DELETE", 46},    {"DEL", 46},         {"DOWN", 40},    {"END", 35},    {"ENTER", 13},
    {"ESC", 27},       {"HELP", 47},        {"HOME", 36},    {"INSERT", 45}, {"INS", 45},
    {"LEFT", 37},      {"NUMLOCK", 144},    {"PGDN", 34},    {"PGUP", 33},   {"PRTSC", 44},
    {"RIGHT", 39},     {"SCROLLLOCK", 145}, {"TAB", 9},      {"UP", 38},     {"ADD", 107},
    {"SUBTRACT", 109}, {"MULTIPLY", 106},   {"DIVIDE", 111},
}};

// ASCII-only folding: key names are plain ASCII, and no byte of a longer
// character may fold into one.
char toUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsIgnoringCase(std::string_view text, std::string_view upperName) {
    if (text.size() != upperName.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (toUpperAscii(text[i]) != upperName[i]) {
            return false;
        }
    }
    return true;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "F1".."F16"; anything else (F0, F17, F01, F) is not a function key.
std::optional<std::uint8_t> functionKey(std::string_view name) {
    if (name.size() < 2 || name.size() > 3 || toUpperAscii(name[0]) != 'F' || name[1] == '0') {
        return std::nullopt;
    }
    int number = 0;
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (!isDigit(name[i])) {
            return std::nullopt;
        }
        number = number * 10 + (name[i] - '0');
    }
    if (number < 1 || number > FunctionKeyCount) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(VkF1 + number - 1);
}

std::optional<std::uint8_t> namedVirtualKey(std::string_view name) {
    if (auto key = functionKey(name)) {
        return key;
    }
    for (const NamedKey& key : namedKeys) {
        if (equalsIgnoringCase(name, key.name)) {
            return key.virtualKey;
        }
    }
    return std::nullopt;
}

// Decimal count no larger than MaxSendKeysRepeat; long digit runs stop early
// so they cannot overflow.
std::optional<int> repeatCount(std::string_view digits) {
    int count = 0;
    for (char c : digits) {
        count = count * 10 + (c - '0');
        if (count > MaxSendKeysRepeat) {
            return std::nullopt;
        }
    }
    return count;
}

bool allDigits(std::string_view text) {
    for (char c : text) {
        if (!isDigit(c)) {
            return false;
        }
    }
    return true;
}

// What one pair of braces stands for: the stroke (modifiers not yet applied)
// and how many times to type it.
struct BracedKey {
    KeyStroke stroke;
    int count = 1;
};

std::optional<BracedKey> parseBraced(std::string_view content) {
    if (content.empty()) {
        return std::nullopt;
    }
    BracedKey result;
    std::string_view name = content;
    if (content.size() > 1) {
        const std::size_t blank = content.rfind(' ');
        if (blank != std::string_view::npos && blank > 0 && blank + 1 < content.size() &&
            allDigits(content.substr(blank + 1))) {
            auto count = repeatCount(content.substr(blank + 1));
            if (!count) {
                return std::nullopt;
            }
            result.count = *count;
            name = content.substr(0, blank);
        }
    }
    if (const utf8::Decoded one = utf8::decode(name, 0); one.length == name.size()) {
        result.stroke.kind = KeyStroke::Kind::Character;
        result.stroke.character = one.character;
        return result;
    }
    auto virtualKey = namedVirtualKey(name);
    if (!virtualKey) {
        return std::nullopt;
    }
    result.stroke.kind = KeyStroke::Kind::VirtualKey;
    result.stroke.virtualKey = *virtualKey;
    return result;
}

KeyStroke characterStroke(char32_t c) {
    KeyStroke stroke;
    stroke.kind = KeyStroke::Kind::Character;
    stroke.character = c;
    return stroke;
}

KeyStroke virtualKeyStroke(std::uint8_t virtualKey) {
    KeyStroke stroke;
    stroke.kind = KeyStroke::Kind::VirtualKey;
    stroke.virtualKey = virtualKey;
    return stroke;
}

}  // namespace

std::optional<std::vector<KeyStroke>> parseSendKeys(std::string_view notation) {
    std::vector<KeyStroke> strokes;
    // Modifiers held by each open group, outermost first; the bottom entry is
    // the text itself. A vector, not recursion, so deep nesting cannot
    // exhaust the call stack.
    std::vector<Modifiers> groups(1);
    Modifiers pending;

    auto emit = [&](KeyStroke stroke, int count) {
        const Modifiers held = groups.back() | pending;
        stroke.shift = held.shift;
        stroke.ctrl = held.ctrl;
        stroke.alt = held.alt;
        strokes.insert(strokes.end(), static_cast<std::size_t>(count), stroke);
        pending = {};
    };

    std::size_t i = 0;
    while (i < notation.size()) {
        const char c = notation[i];
        switch (c) {
            case '+':
                pending.shift = true;
                ++i;
                break;
            case '^':
                pending.ctrl = true;
                ++i;
                break;
            case '%':
                pending.alt = true;
                ++i;
                break;
            case '(':
                groups.push_back(groups.back() | pending);
                pending = {};
                ++i;
                break;
            case ')':
                if (groups.size() == 1) {
                    return std::nullopt;
                }
                groups.pop_back();
                // A modifier just before ")" has no key left to hold down.
                pending = {};
                ++i;
                break;
            case '~':
                emit(virtualKeyStroke(VkReturn), 1);
                ++i;
                break;
            case '\r':
                emit(virtualKeyStroke(VkReturn), 1);
                ++i;
                break;
            case '\t':
                emit(virtualKeyStroke(VkTab), 1);
                ++i;
                break;
            case '\n':
                // Line breaks are stored as CR LF; the CR already typed Enter.
                // Pending modifiers carry on to the next real key.
                ++i;
                break;
            case '{': {
                // The content starts right after "{", so a "}" there belongs
                // to it: "{}}" is the brace character, "{} 3}" three of them.
                const std::size_t start = i + 1;
                if (start >= notation.size()) {
                    return std::nullopt;
                }
                const std::size_t close = notation.find('}', start + 1);
                if (close == std::string_view::npos) {
                    return std::nullopt;
                }
                auto braced = parseBraced(notation.substr(start, close - start));
                if (!braced) {
                    return std::nullopt;
                }
                emit(braced->stroke, braced->count);
                i = close + 1;
                break;
            }
            default: {
                const utf8::Decoded decoded = utf8::decode(notation, i);
                emit(characterStroke(decoded.character), 1);
                i += decoded.length;
                break;
            }
        }
    }
    if (groups.size() != 1) {
        return std::nullopt;
    }
    return strokes;
}

std::string literalKeys(std::string_view text) {
    std::string keys;
    keys.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            keys += "{ENTER}";
            i += c == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
            continue;
        }
        if (c == '\t') {
            keys += "{TAB}";
            ++i;
            continue;
        }
        // A whole character, even a broken one, so that it reads as one again.
        const std::size_t length = utf8::decode(text, i).length;
        keys += '{';
        keys.append(text, i, length);
        keys += '}';
        i += length;
    }
    return keys;
}

}  // namespace quorvel
