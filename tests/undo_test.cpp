#include <gtest/gtest.h>

#include <string>

#include "support/app_fixture.h"
#include "support/engine_fixture.h"

namespace quorvel {
namespace {

using testing::EngineFixture;
using Target = FakeKeyboard::Target;

// A Backspace right after an expansion erases what it typed and types back what
// the user had, where the text is exactly what the send left, or where it cannot
// be read, a text no target changes; otherwise the Backspace is ordinary. Any
// other key, a click, a move of the focus, five seconds or the option off end the
// chance, and so does a key typed while the text was on its way; Ctrl and Shift
// with Backspace are never taken, nor its auto-repeat.
// Each row: the target, whether its text can be read, Boost, the shortcut's text
// (trigger "brb", launched by Space unless the script says Tab), what is typed and
// what the target shows then. (The plain case, and a Backspace after a click:
// e2e/engine_e2e.sh.)
TEST(Undo, BackspaceTakesBackOnlyWhatTheSendTyped) {
    struct Case {
        Target target;
        bool readable;
        bool boost;
        const char* text;
        const char* script;
        const char* shows;
        bool undoOff = false;
        const char* typedDuringTheText = "";
    };
    const Case cases[] = {
        {Target::Plain, true, false, "Be right back", "brb {Bksp}", "brb "},
        {Target::Plain, false, false, "Be right back", "Brb {Bksp}", "Brb "},
        {Target::Plain, false, false, "Be right back", "x brb\t{Bksp}", "x brb\t"},
        {Target::Plain, true, false, "a\r\nb", "brb {Bksp}", "brb "},
        {Target::Plain, true, false, "caf\u00e9 \u00fcber", "x brb {Bksp}", "x brb "},
        {Target::Plain, true, true, "Be right back", "brb {Bksp}", "brb "},
        {Target::Plain, false, false, "a\r\nb", "brb {Bksp}", "a\r\n"},
        {Target::Plain, false, false, "it's", "brb {Bksp}", "it'"},
        {Target::Plain, false, true, "Be right back", "brb {Bksp}", "Be right bac"},
        {Target::Plain, false, false, "ok+1", "brb {Bksp}", "ok"},
        {Target::Autocorrect, true, false, "a--b", "brb {Bksp}", "a\u2014"},
        {Target::Autocorrect, false, false, "a--b", "brb {Bksp}", "a\u2014"},
        {Target::AutoIndent, true, false, "a\r\nb", "brb {Bksp}", "a\r\n  "},
        {Target::Console, false, false, "dir\r\n", "brb {Bksp}", "dir\r\n> "},
        {Target::Console, true, false, "dir\r\n", "brb {Bksp}", "dir\r\n> "},
        // Once taken back, the next Backspace is ordinary, and the trigger fires
        // only when typed anew.
        {Target::Plain, false, false, "Be right back", "brb {Bksp}{Bksp} ", "brb "},
        {Target::Plain, false, false, "Be right back", "brb {+Bksp}{+Bksp}{-Bksp}", "brb "},
        {Target::Plain, false, false, "Be right back", "brb x{Bksp}", "Be right back"},
        {Target::Plain, false, false, "Be right back", "brb {focus}{Bksp}", "Be right bac"},
        {Target::Plain, false, false, "Be right back", "brb {clock 5}{Bksp}", "Be right bac"},
        {Target::Plain, false, false, "Be right back", "brb {+LCtrl}{Bksp}{-LCtrl}",
         "Be right back"},
        {Target::Plain, false, false, "Be right back", "brb {+LShift}{Bksp}{-LShift}",
         "Be right bac"},
        {Target::Plain, false, false, "Be right back", "brb {Bksp}", "Be right bac", true},
        {Target::Plain, false, false, "Be right back", "brb {Bksp}", "Be right back", false, "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.script);
        EngineFixture f;
        f.keyboard.target = c.target;
        f.focus.facts.textReadable = c.readable;
        f.option(&EngineOptions::boost, c.boost);
        f.option(&EngineOptions::undoWithBackspace, !c.undoOff);
        f.addEntry(LaunchMode::Space, false, "brb", c.text);
        f.addEntry(LaunchMode::Tab, false, "brb", c.text);
        f.keyboard.afterSend = [&f, &c](std::string_view keys) {
            if (keys == c.text) {
                f.keys(c.typedDuringTheText);
            }
        };
        f.keys(c.script);
        EXPECT_EQ(f.keyboard.targetText, c.shows);
    }
}

class UndoOption : public ::testing::Test, public testing::AppFixture {};

// On unless stored off; a damaged value counts as on. (The menu item, and the
// engine following it: e2e/ui/ui_e2e.sh, e2e/engine_e2e.sh.)
TEST_F(UndoOption, StoredOffOrOn) {
    for (const auto& [stored, on] : {std::pair{"False", false}, {"junk", true}, {"0", false}}) {
        settings.write({"Quorvel", "Opts", "UndoWithBackspace"}, stored);
        EXPECT_EQ(start().undoWithBackspaceItem.checked, on) << stored;
    }
}

}  // namespace
}  // namespace quorvel
