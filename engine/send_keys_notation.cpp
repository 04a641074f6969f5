#include "engine/send_keys_notation.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <utility>

#include "platform/virtual_keys.h"
#include "text/ascii_case.h"
#include "text/number_text.h"
#include "text/utf8.h"

namespace quorvel {

namespace {

// Shift, Ctrl and Alt, as bits.
using Modifiers = unsigned;

constexpr Modifiers bit(Modifier modifier) {
    return 1U << static_cast<unsigned>(modifier);
}

constexpr Modifier NotationModifiers[] = {Modifier::Shift, Modifier::Ctrl, Modifier::Alt};

struct NamedKey {
    std::string_view name;
    std::uint8_t virtualKey;
};

constexpr int FunctionKeyCount = vk::F16 - vk::F1 + 1;

// F1..F16 are recognised separately by functionKey().
constexpr std::array<NamedKey, 28> namedKeys = {{
    {"BACKSPACE", vk::Backspace},
    {"BS", vk::Backspace},
    {"BKSP", vk::Backspace},
    {"BREAK", vk::Break},
    {"CAPSLOCK", vk::CapsLock},
    {"DELETE", vk::Delete},
    {"DEL", vk::Delete},
    {"DOWN", vk::Down},
    {"END", vk::End},
    {"ENTER", vk::Enter},
    {"ESC", vk::Esc},
    {"HELP", vk::Help},
    {"HOME", vk::Home},
    {"INSERT", vk::Insert},
    {"INS", vk::Insert},
    {"LEFT", vk::Left},
    {"NUMLOCK", vk::NumLock},
    {"PGDN", vk::PageDown},
    {"PGUP", vk::PageUp},
    {"PRTSC", vk::PrintScreen},
    {"RIGHT", vk::Right},
    {"SCROLLLOCK", vk::ScrollLock},
    {"TAB", vk::Tab},
    {"UP", vk::Up},
    {"ADD", vk::Add},
    {"SUBTRACT", vk::Subtract},
    {"MULTIPLY", vk::Multiply},
    {"DIVIDE", vk::Divide},
}};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "F1".."F16"; anything else (F0, F17, F01, F) is not a function key.
std::optional<std::uint8_t> functionKey(std::string_view name) {
    if (name.size() < 2 || asciiLower(name[0]) != 'f' || name[1] == '0') {
        return std::nullopt;
    }
    const auto number = wholeNumber(name.substr(1), FunctionKeyCount);
    if (!number) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(vk::F1 + *number - 1);
}

std::optional<std::uint8_t> namedVirtualKey(std::string_view name) {
    if (auto key = functionKey(name)) {
        return key;
    }
    for (const NamedKey& key : namedKeys) {
        if (equalIgnoringAsciiCase(name, key.name)) {
            return key.virtualKey;
        }
    }
    return std::nullopt;
}

bool allDigits(std::string_view text) {
    for (char c : text) {
        if (!isDigit(c)) {
            return false;
        }
    }
    return true;
}

// What one pair of braces stands for: the stroke and how many times to type it.
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
            const auto count = wholeNumber(content.substr(blank + 1), MaxSendKeysRepeat);
            if (!count) {
                return std::nullopt;
            }
            result.count = static_cast<int>(*count);
            name = content.substr(0, blank);
        }
    }
    if (const utf8::Decoded one = utf8::decode(name, 0); one.length == name.size()) {
        result.stroke = KeyStroke::typed(one.character);
        return result;
    }
    auto virtualKey = namedVirtualKey(name);
    if (!virtualKey) {
        return std::nullopt;
    }
    result.stroke = KeyStroke::key(*virtualKey);
    return result;
}

// Presses in the order Shift, Ctrl, Alt; releases the other way round. A
// release right after its press takes the press back: a group with no key in
// it presses nothing, and a lone Alt would open the target's menu bar.
void pressOrRelease(std::vector<KeyStroke>& strokes, Modifiers modifiers, KeyStroke::Kind kind) {
    const bool press = kind == KeyStroke::Kind::Press;
    const std::size_t count = std::size(NotationModifiers);
    for (std::size_t i = 0; i < count; ++i) {
        const Modifier modifier = NotationModifiers[press ? i : count - 1 - i];
        if ((modifiers & bit(modifier)) == 0) {
            continue;
        }
        if (!press && !strokes.empty() && strokes.back() == KeyStroke::press(modifier)) {
            strokes.pop_back();
        } else {
            strokes.push_back({.kind = kind, .modifier = modifier});
        }
    }
}

}  // namespace

void KeyStrokeBuilder::emit(KeyStroke stroke, int count) {
    // Modifiers pending for the next key that no group holds yet go down just
    // around it.
    const Modifiers own = pending_ & ~groups_.back();
    pending_ = 0;
    pressOrRelease(strokes_, own, KeyStroke::Kind::Press);
    strokes_.insert(strokes_.end(), static_cast<std::size_t>(count), stroke);
    pressOrRelease(strokes_, own, KeyStroke::Kind::Release);
}

void KeyStrokeBuilder::emitCharacter(char32_t character, int count, bool keepsCase) {
    // "+a" is Shift and a key, whatever letter the key types.
    if (keepsCase || ((pending_ | groups_.back()) != 0)) {
        case_.pass(character);
        emit(KeyStroke::typed(character), count);
        return;
    }
    const std::u32string converted = case_.convert(character);
    if (converted.size() == 1) {
        emit(KeyStroke::typed(converted[0]), count);
        return;
    }
    for (int i = 0; i < count; ++i) {
        for (const char32_t each : converted) {
            emit(KeyStroke::typed(each), 1);
        }
    }
}

void KeyStrokeBuilder::openGroup() {
    const Modifiers own = pending_ & ~groups_.back();
    pressOrRelease(strokes_, own, KeyStroke::Kind::Press);
    groups_.push_back(groups_.back() | own);
    pending_ = 0;
}

bool KeyStrokeBuilder::closeGroup() {
    if (groups_.size() == 1) {
        return false;
    }
    const Modifiers own = groups_.back() & ~groups_[groups_.size() - 2];
    groups_.pop_back();
    pressOrRelease(strokes_, own, KeyStroke::Kind::Release);
    // A modifier just before ")" has no key left to hold down.
    pending_ = 0;
    return true;
}

bool KeyStrokeBuilder::addNotation(std::string_view notation, std::span<const TextSpan> keepCase) {
    std::size_t i = 0;
    // Whether the byte at i lies in one of the spans, in order.
    auto keepsCase = [&keepCase, &i] {
        while (!keepCase.empty() && keepCase.front().end <= i) {
            keepCase = keepCase.subspan(1);
        }
        return !keepCase.empty() && keepCase.front().begin <= i;
    };
    while (!broken_ && i < notation.size()) {
        const char c = notation[i];
        switch (c) {
            case '+':
                pending_ |= bit(Modifier::Shift);
                ++i;
                break;
            case '^':
                pending_ |= bit(Modifier::Ctrl);
                ++i;
                break;
            case '%':
                pending_ |= bit(Modifier::Alt);
                ++i;
                break;
            case '(':
                openGroup();
                ++i;
                break;
            case ')':
                broken_ = !closeGroup();
                ++i;
                break;
            case '~':
            case '\r':
                emit(KeyStroke::key(vk::Enter), 1);
                ++i;
                break;
            case '\t':
                emit(KeyStroke::key(vk::Tab), 1);
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
                const std::size_t close = start < notation.size() ? notation.find('}', start + 1)
                                                                  : std::string_view::npos;
                const auto braced = close == std::string_view::npos
                                        ? std::nullopt
                                        : parseBraced(notation.substr(start, close - start));
                if (!braced) {
                    broken_ = true;
                    break;
                }
                if (braced->stroke.kind == KeyStroke::Kind::Character) {
                    emitCharacter(braced->stroke.character, braced->count, keepsCase());
                } else {
                    emit(braced->stroke, braced->count);
                }
                i = close + 1;
                break;
            }
            default: {
                const utf8::Decoded decoded = utf8::decode(notation, i);
                emitCharacter(decoded.character, 1, keepsCase());
                i += decoded.length;
                break;
            }
        }
    }
    return !broken_;
}

void KeyStrokeBuilder::addText(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            emit(KeyStroke::key(vk::Enter), 1);
            i += c == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
        } else if (c == '\t') {
            emit(KeyStroke::key(vk::Tab), 1);
            ++i;
        } else {
            const utf8::Decoded decoded = utf8::decode(text, i);
            case_.pass(decoded.character);
            emit(KeyStroke::typed(decoded.character), 1);
            i += decoded.length;
        }
    }
}

std::optional<std::vector<KeyStroke>> KeyStrokeBuilder::finish() {
    if (broken_ || groups_.size() != 1) {
        return std::nullopt;
    }
    return std::move(strokes_);
}

std::optional<std::vector<KeyStroke>> parseSendKeys(std::string_view notation) {
    KeyStrokeBuilder builder;
    builder.addNotation(notation);
    return builder.finish();
}

std::vector<KeyStroke> textStrokes(std::string_view text) {
    KeyStrokeBuilder builder;
    builder.addText(text);
    return *builder.finish();
}

}  // namespace quorvel
