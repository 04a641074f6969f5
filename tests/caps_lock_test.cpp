#include <gtest/gtest.h>

#include <string>

#include "engine/caps_lock.h"

namespace quorvel {
namespace {

TEST(CapsLock, KeysTypeWhatTheyTypeWithCapsLockOff) {
    // One key of a layout: what it types without and with Shift, with Caps Lock
    // off and on, and the stroke that types it as the text asks.
    struct Case {
        const char* key;
        char32_t plain, shifted, capsPlain, capsShifted;
        bool shift;  // as the text asks for the key
        CapsLockStroke expected;
    };
    const Case cases[] = {
        {"a letter", U'a', U'A', U'A', U'a', false, {false, true, 0}},     // "a"
        {"a letter", U'a', U'A', U'A', U'a', true, {false, false, 0}},     // "A", and "+a"
        {"a US digit", U'1', U'!', U'1', U'!', false, {false, false, 0}},  // "1"
        {"a US digit", U'1', U'!', U'1', U'!', true, {false, true, 0}},    // "!"
        // A French digit key, which Caps Lock shifts.
        {"French 1", U'&', U'1', U'1', U'&', false, {false, true, 0}},  // "&"
        {"French 1", U'&', U'1', U'1', U'&', true, {false, false, 0}},  // "1"
        // A Swiss key with capitals of its own under Caps Lock.
        {"Swiss ü", U'ü', U'è', U'Ü', U'È', false, {true, false, U'ü'}},
        {"Swiss ü", U'ü', U'è', U'Ü', U'È', true, {true, true, U'è'}},
        {"a dead key", 0, 0, 0, 0, true, {false, true, 0}},  // as without Caps Lock
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + (c.shift ? " with Shift" : ""));
        const CapsLockStroke stroke = strokeUnderCapsLock(c.shift, [&c](bool shift, bool caps) {
            return caps ? (shift ? c.capsShifted : c.capsPlain) : (shift ? c.shifted : c.plain);
        });
        EXPECT_EQ(stroke.asCharacter, c.expected.asCharacter);
        EXPECT_EQ(stroke.shift, c.expected.shift);
        EXPECT_EQ(stroke.character, c.expected.character);
    }
}

}  // namespace
}  // namespace quorvel
