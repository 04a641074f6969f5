#include "platform/key_events.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/doubles/fake_keyboard_layout.h"
#include "text/utf8.h"

namespace quorvel {
namespace {

// Each event as the key's code in hex, or a character typed as itself; a
// release after a slash.
std::string eventsFor(const std::string& text, bool capsLock,
                      const std::vector<std::uint8_t>& held = {}) {
    std::vector<KeyStroke> strokes;
    for (std::size_t at = 0; at < text.size();) {
        const utf8::Decoded one = utf8::decode(text, at);
        strokes.push_back(KeyStroke::typed(one.character));
        at += one.length;
    }
    std::string out;
    for (const KeyEvent& event : keyEventsFor(strokes, FakeGermanLayout(), held, capsLock)) {
        out += out.empty() ? "" : " ";
        out += event.release ? "/" : "";
        if (event.virtualKey == vk::Packet) {
            std::string unit;
            utf8::append(unit, event.character);
            out += "'" + unit + "'";
        } else {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02X", event.virtualKey);
            out += hex;
        }
    }
    return out;
}

// A German layout: accents on dead keys and characters behind AltGr go as
// themselves, the others as their keys with Shift as needed; under Caps Lock
// letters come out as written; the user's own Ctrl is let go first.
TEST(KeyEvents, DeadKeysAndAltGrGoAsThemselvesOtherKeysAsKeys) {
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"^a `e", false, "'^' /'^' 41 /41 20 /20 '`' /'`' 45 /45"},
        {"´o ~n", false, "'´' /'´' 4F /4F 20 /20 '~' /'~' 4E /4E"},
        {"'x\"u", false, "A0 BF /BF /A0 58 /58 A0 32 /32 /A0 55 /55"},
        {"°@é", false, "A0 DC /DC /A0 '@' /'@' 'é' /'é'"},
        {"aÄ^", true, "A0 41 /41 /A0 DE /DE '^' /'^'"},
    };
    for (const auto& [text, capsLock, expected] : cases) {
        EXPECT_EQ(eventsFor(text, capsLock), expected) << text;
    }
    EXPECT_EQ(eventsFor("a", false, {vk::LCtrl}), "/A2 41 /41");
}

}  // namespace
}  // namespace quorvel
