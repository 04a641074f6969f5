#pragma once
// SendKeys notation: a text in, the key strokes it stands for out.
//
// Ordinary characters, any character of the UTF-8 text, type themselves; a
// carriage return types Enter, a tab types Tab and a line feed types nothing.
// "{name}" types a named key (names compared without regard to case),
// "{name N}" types it N times. "+", "^" and "%" hold Shift, Ctrl and Alt for
// the next key or for a group in parentheses;
// "~" is Enter; any single character in braces ("{+}", "{{}", "{}}", "{ }")
// types that character itself. A byte that is not UTF-8 types U+FFFD.
//
// A modifier goes down just before the keys it holds and up just after them,
// so presses and releases always nest.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/key_strokes.h"
#include "text/case_mapping.h"

namespace quorvel {

// Bytes [begin, end) of a text.
struct TextSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool operator==(const TextSpan&) const = default;
};

// The highest repeat count "{name N}" may ask for.
inline constexpr int MaxSendKeysRepeat = 10000;

// Strokes built from pieces of notation and pieces of text that is data (the
// clipboard's), in order. A modifier or an open group in the notation holds the
// data's keys as it would any others, but a pair of braces never spans a piece:
// no character of the data can join a key name, a repeat count or a group.
//
// The characters the notation types as themselves, with no modifier held, are
// typed in the case asked for; key names, keys under a modifier, the pieces of
// text and the notation's spans `keepCase` (a macro's value) keep theirs.
class KeyStrokeBuilder {
  public:
    explicit KeyStrokeBuilder(TextCase textCase = TextCase::AsStored) : case_(textCase) {}

    // False when the piece breaks the notation; nothing added after counts then.
    bool addNotation(std::string_view notation, std::span<const TextSpan> keepCase = {});
    // Exactly the characters of `text`: each line break (CR LF, a lone LF, a lone
    // CR) types Enter, a tab Tab, and every other character itself.
    void addText(std::string_view text);
    // The strokes, or nothing when a piece broke the notation or left a group open.
    std::optional<std::vector<KeyStroke>> finish();

  private:
    void emit(KeyStroke stroke, int count);
    void emitCharacter(char32_t character, int count, bool keepsCase);
    void openGroup();
    bool closeGroup();

    std::vector<KeyStroke> strokes_;
    // Modifiers held by each open group, outermost first; the bottom entry is
    // the text itself. A vector, not recursion, so deep nesting cannot exhaust
    // the call stack.
    std::vector<unsigned> groups_ = {0};
    unsigned pending_ = 0;  // modifiers for the next key
    bool broken_ = false;
    CaseConversion case_;
};

// The strokes of the text in order, or nothing when the text breaks the notation.
// A "{name N}" never yields more than MaxSendKeysRepeat keys.
std::optional<std::vector<KeyStroke>> parseSendKeys(std::string_view notation);

// The strokes that type exactly the characters of `text`, as addText does.
std::vector<KeyStroke> textStrokes(std::string_view text);

}  // namespace quorvel
