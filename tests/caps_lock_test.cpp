#include <gtest/gtest.h>

#include <string>

#include "engine/caps_lock.h"

namespace quorvel {
namespace {

// One key of a layout: what it types without and with Shift, with Caps Lock off
// and on.
struct Key {
    const char* name;
    char32_t plain, shifted, capsPlain, capsShifted;
};
const Key Letter{"a letter", U'a', U'A', U'A', U'a'};
const Key Digit{"a US digit", U'1', U'!', U'1', U'!'};
const Key FrenchDigit{"a French digit key, which Caps Lock shifts", U'&', U'1', U'1', U'&'};
const Key SwissUmlaut{"a Swiss key with capitals of its own under Caps Lock", U'ü', U'è', U'Ü',
                      U'È'};
const Key DeadKey{"a dead key", 0, 0, 0, 0};

TEST(CapsLock, KeysTypeWhatTheyTypeWithCapsLockOff) {
    struct Case {
        const Key& key;
        bool shift;  // as the text asks for the key
        CapsLockStroke expected;
    };
    const Case cases[] = {
        {Letter, false, {false, true, 0}},       // "a"
        {Letter, true, {false, false, 0}},       // "A", and "+a"
        {Digit, false, {false, false, 0}},       // "1"
        {Digit, true, {false, true, 0}},         // "!"
        {FrenchDigit, false, {false, true, 0}},  // "&"
        {FrenchDigit, true, {false, false, 0}},  // "1"
        {SwissUmlaut, false, {true, false, U'ü'}}, {SwissUmlaut, true, {true, true, U'è'}},
        {DeadKey, true, {false, true, 0}},  // as without Caps Lock
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key.name) + (c.shift ? " with Shift" : ""));
        const CapsLockStroke stroke = strokeUnderCapsLock(c.shift, [&c](bool shift, bool caps) {
            return caps ? (shift ? c.key.capsShifted : c.key.capsPlain)
                        : (shift ? c.key.shifted : c.key.plain);
        });
        EXPECT_EQ(stroke.asCharacter, c.expected.asCharacter);
        EXPECT_EQ(stroke.shift, c.expected.shift);
        EXPECT_EQ(stroke.character, c.expected.character);
    }
}

}  // namespace
}  // namespace quorvel
