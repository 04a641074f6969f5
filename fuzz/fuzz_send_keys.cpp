// SendKeys notation from arbitrary bytes: never more strokes than the repeat
// limit allows for the input, modifier presses and releases that nest, and a
// text with its special characters braced types exactly its own characters,
// whole ones, never a part of one; so does its literal form, with every line
// break as Enter.

#include <string>
#include <vector>

#include "engine/send_keys_notation.h"
#include "fuzz_check.h"
#include "platform/virtual_keys.h"
#include "text/utf8.h"

namespace {

using namespace quorvel;

constexpr std::string_view Special = "+^%~(){}";

// What a text without special characters types: CR is Enter, tab is Tab, a line
// feed nothing, any other character itself (U+FFFD for bytes that are none).
std::vector<KeyStroke> plainStrokes(std::string_view text) {
    std::vector<KeyStroke> strokes;
    for (std::size_t at = 0; at < text.size();) {
        const utf8::Decoded decoded = utf8::decode(text, at);
        at += decoded.length;
        if (decoded.character == '\r') {
            strokes.push_back(KeyStroke::key(vk::Enter));
        } else if (decoded.character == '\t') {
            strokes.push_back(KeyStroke::key(vk::Tab));
        } else if (decoded.character != '\n') {
            strokes.push_back(KeyStroke::typed(decoded.character));
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

    // Every special character in braces: the text types itself.
    std::string braced;
    bool special = false;
    for (const char c : notation) {
        if (Special.find(c) != std::string_view::npos) {
            braced.append({'{', c, '}'});
            special = true;
        } else {
            braced += c;
        }
    }
    const auto expected = plainStrokes(notation);
    const auto typed = parseSendKeys(braced);
    FUZZ_CHECK(typed.has_value());
    FUZZ_CHECK(*typed == expected);
    if (!special) {
        FUZZ_CHECK(parseSendKeys(notation) == expected);
    }

    // A lone line feed types nothing in notation, but Enter as data.
    std::string lines;
    for (std::size_t at = 0; at < notation.size(); ++at) {
        const bool crLf =
            notation[at] == '\r' && at + 1 < notation.size() && notation[at + 1] == '\n';
        lines += notation[at] == '\n' ? '\r' : notation[at];
        at += crLf ? 1 : 0;
    }
    FUZZ_CHECK(parseSendKeys(literalKeys(notation)) == plainStrokes(lines));
    return 0;
}
