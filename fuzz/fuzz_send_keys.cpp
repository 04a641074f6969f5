// SendKeys notation from arbitrary bytes: never more strokes than the repeat
// limit allows for the input, modifier presses and releases that nest, and a
// text with its special characters braced types exactly its own characters,
// whole ones, never a part of one; so does the same text as data, with every
// line break as Enter.

#include <string>
#include <vector>

#include "engine/send_keys_notation.h"
#include "fuzz_check.h"
#include "platform/virtual_keys.h"
#include "text/utf8.h"

namespace {

using namespace quorvel;

constexpr std::string_view Special = "+^%~(){}";

// What a text without special characters types: CR is Enter, tab is Tab, any
// other character itself (U+FFFD for bytes that are none). A line feed types
// nothing in notation, but Enter in a literal text unless it ends a CR LF.
std::vector<KeyStroke> plainStrokes(std::string_view text, bool literal) {
    std::vector<KeyStroke> strokes;
    for (std::size_t at = 0; at < text.size();) {
        const utf8::Decoded decoded = utf8::decode(text, at);
        const char32_t c = decoded.character;
        const bool enter = c == '\r' || (c == '\n' && literal && (at == 0 || text[at - 1] != '\r'));
        at += decoded.length;
        if (enter || c == '\t') {
            strokes.push_back(KeyStroke::key(enter ? vk::Enter : vk::Tab));
        } else if (c != '\n') {
            strokes.push_back(KeyStroke::typed(c));
        }
    }
    return strokes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view notation = fuzzText(data, size);

    if (const auto strokes = parseSendKeys(notation)) {
        FUZZ_CHECK(strokes->size() <= size * static_cast<std::size_t>(MaxSendKeysRepeat));
        // Every modifier pressed is released, the last pressed first.
        std::vector<Modifier> held;
        for (const KeyStroke& stroke : *strokes) {
            if (stroke.kind == KeyStroke::Kind::Press) {
                held.push_back(stroke.modifier);
            } else if (stroke.kind == KeyStroke::Kind::Release) {
                FUZZ_CHECK(!held.empty() && held.back() == stroke.modifier);
                held.pop_back();
            }
        }
        FUZZ_CHECK(held.empty());
    }

    // Every special character in braces: the text types itself. (Without any,
    // the braced text is the notation itself.)
    std::string braced;
    for (const char c : notation) {
        braced += Special.find(c) != std::string_view::npos ? std::string{'{', c, '}'}
                                                            : std::string(1, c);
    }
    FUZZ_CHECK(parseSendKeys(braced) == plainStrokes(notation, false));
    FUZZ_CHECK(textStrokes(notation) == plainStrokes(notation, true));
    // Data after notation types the same as the two apart.
    KeyStrokeBuilder builder;
    if (builder.addNotation(braced)) {
        builder.addText(notation);
        auto both = plainStrokes(notation, false);
        const auto data = plainStrokes(notation, true);
        both.insert(both.end(), data.begin(), data.end());
        FUZZ_CHECK(builder.finish() == both);
    }
    return 0;
}
