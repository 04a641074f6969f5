#include "engine/key_names.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace quorvel {
namespace {

// Codes from Space to the keypad name the character of their code (page keys
// and arrows too), then come the function keys, then the punctuation keys;
// modifiers, Enter, Tab and the rest have no name.
TEST(KeyNames, KeyCodesAndTheirNames) {
    struct Case {
        int code;
        const char* name;
    };
    const Case cases[] = {
        {-1, ""},      {0, ""},        {8, ""},        {13, ""},   {27, ""},    {31, ""},
        {32, " "},     {33, "!"},      {40, "("},      {46, "."},  {48, "0"},   {57, "9"},
        {65, "A"},     {90, "Z"},      {91, "["},      {96, "`"},  {97, "a"},   {111, "o"},
        {112, "{F1}"}, {121, "{F10}"}, {123, "{F12}"}, {124, ""},  {160, ""},   {162, ""},
        {185, ""},     {186, ";"},     {187, "="},     {188, ","}, {189, "-"},  {190, "."},
        {191, "/"},    {192, ""},      {218, ""},      {219, "["}, {220, "\\"}, {221, "]"},
        {222, ""},     {255, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keyNameOf(static_cast<std::int16_t>(c.code)), c.name) << "key code " << c.code;
    }
}

}  // namespace
}  // namespace quorvel
