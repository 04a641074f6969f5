#include "engine/key_names.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace quorvel {
namespace {

// Runs of consecutive key codes and the one-character names they carry.
TEST(KeyNames, CharacterKeys) {
    struct Run {
        int first;
        const char* names;
    };
    const Run runs[] = {
        {32, " "},
        {33, "!\"#$%&'("},  // page keys and arrows name the character of their code
        {45, "-"},
        {46, "."},
        {48, "0123456789"},
        {65, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {91, "[\\]"},
        {96, "`abcdefghijklmno"},  // the keypad
        {186, ";=,-./"},
        {219, "[\\]"},
    };
    for (const Run& run : runs) {
        const std::string names = run.names;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const int code = run.first + static_cast<int>(i);
            SCOPED_TRACE(code);
            EXPECT_EQ(keyNameOf(static_cast<std::int16_t>(code)), std::string(1, names[i]));
        }
    }
}

TEST(KeyNames, FunctionKeys) {
    for (int n = 1; n <= 12; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(keyNameOf(static_cast<std::int16_t>(111 + n)), "{F" + std::to_string(n) + "}");
    }
}

TEST(KeyNames, KeysWithoutName) {
    const int unnamed[] = {0,   8,   9,   13,  16,  17,  18,  20,  27,  31,  124,
                           135, 160, 161, 162, 163, 164, 165, 192, 222, 255, -1};
    for (const int code : unnamed) {
        SCOPED_TRACE(code);
        EXPECT_EQ(keyNameOf(static_cast<std::int16_t>(code)), "");
    }
}

TEST(KeyNames, ModifierPrefixes) {
    struct Case {
        std::int16_t state;
        const char* prefix;
    };
    const Case cases[] = {{0, ""},      {1, "{Shift}"}, {2, "{Ctrl}"}, {3, "{Ctrl}{Shift}"},
                          {4, "{Alt}"}, {6, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        EXPECT_EQ(modifierPrefix(c.state), c.prefix);
        EXPECT_EQ(fullFunctionKeyName("{F9}", c.state), std::string(c.prefix) + "{F9}");
    }
}

}  // namespace
}  // namespace quorvel
