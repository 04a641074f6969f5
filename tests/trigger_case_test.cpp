// "Match the Case of the Trigger": the case a trigger was typed in, as the user
// saw it, and what it does to each part of the text.

#include <gtest/gtest.h>

#include <string>

#include "support/engine_fixture.h"

namespace quorvel {
namespace {

using testing::EngineFixture;

struct CaseRow {
    const char* typed;  // an EngineFixture::keys script
    const char* sent;   // the text's keys, or with a paste what the target shows
    bool matchCase = true;
    bool boost = false;
};

// The letter keys' case counts, from Shift and Caps Lock (both give small
// letters); the text's own characters take it, in full Unicode mappings, past
// quotes; key names, keys under a modifier, macros' values and the clipboard's
// text keep theirs, and count as the text's first letter. (A first capital, all
// capitals and Caps Lock alone: e2e/engine_e2e.sh.)
TEST(TriggerCase, TheTextFollowsTheCaseTheTriggerWasTypedIn) {
    const CaseRow rows[] = {
        {"brb ", "be right back"},
        {"bRB ", "be right back"},
        {"BrB ", "Be right back"},
        {"{+LShift}brb{-LShift} ", "BE RIGHT BACK"},
        {"{Caps}b{+LShift}rb{-LShift} {Caps}", "Be right back"},
        {"{Caps}{+LShift}brb{-LShift} {Caps}", "be right back"},
        {"BRB ", "be right back", false},
        {"A1b ", "Apple pie"},
        {"A1B ", "APPLE PIE"},
        {"a1B ", "apple pie"},
        {"S ", "«Straße» ok"},
        {"Dz ", "ǅemal ß"},
        {"DZ ", "ǄEMAL SS"},
        {"Gr ", "Αβγ ёж"},
        {"GR ", "ΑΒΓ ЁЖ"},
        {"NM ", "X{ENTER}+(a)BAADecember 5, 2026"},
        {"Nm ", "X{ENTER}+(a)baaDecember 5, 2026"},
        {"Ld ", "December 5, 2026 is ok"},
        {"LD ", "December 5, 2026 IS OK"},
        {"CB ", "clip me OK"},
        {"Cb ", "clip me ok"},
        {"{Caps}{F9}{Caps}", "fine"},
        {"BR{F9}", "fine"},
        {"Brb ", "Be right back", true, true},
        {"CB ", "clip me OK", true, true},
        {"LD ", "December 5, 2026 IS OK", true, true},
    };
    for (const CaseRow& row : rows) {
        SCOPED_TRACE(std::string(row.typed) + (row.matchCase ? "" : " off") +
                     (row.boost ? " boost" : ""));
        EngineFixture f;
        f.option(&EngineOptions::matchTriggerCase, row.matchCase);
        f.option(&EngineOptions::boost, row.boost);
        f.clipboard.setText("clip me");
        f.addEntry(LaunchMode::Space, false, "brb", "be right back");
        f.addEntry(LaunchMode::Space, false, "a1b", "apple pie");
        f.addEntry(LaunchMode::Space, false, "s", "«straße» ok");
        f.addEntry(LaunchMode::Space, false, "dz", "ǆemal ß");
        f.addEntry(LaunchMode::Space, false, "gr", "αβγ ёж");
        f.addEntry(LaunchMode::Space, false, "nm", "x{enter}+ab{a 2}%(longdate)%");
        f.addEntry(LaunchMode::Space, false, "ld", "%(longdate)% is ok");
        f.addEntry(LaunchMode::Space, false, "cb", "%(clipboard text)% ok");
        f.addEntry(LaunchMode::FunctionKey, false, "{F9}", "fine");
        f.addEntry(LaunchMode::FunctionKey, false, "{Shift}{F9}", "fine");
        f.keys(row.typed);
        ASSERT_FALSE(f.keyboard.sent.empty());
        EXPECT_EQ(row.boost ? f.keyboard.targetText : f.keyboard.sent.back(), row.sent);
        EXPECT_EQ(f.clipboard.getText(), "clip me");
    }
}

}  // namespace
}  // namespace quorvel
