#include "storage/program_approvals.h"

#include <gtest/gtest.h>

#include "storage/settings_names.h"
#include "tests/doubles/fake_settings_store.h"

namespace quorvel {
namespace {

constexpr std::string_view OwnRun = "{S} \xC2\xAF mail \xC2\xAF %(run=mail.exe)%";
// A marker in the trigger that would pair with the text's, were the line read whole.
constexpr std::string_view MarkerTrigger = "{S} \xC2\xAF %( \xC2\xAF %(run=x.exe)%";
constexpr std::string_view OtherRun = "{S} \xC2\xAF td \xC2\xAF %(RUN=powershell -c x)%";

// Only the exact line is approved, and approvals outlive a restart; the first
// start approves the list it finds, a later one nothing it does not know.
TEST(ProgramApprovals, FirstStartApprovesTheOwnListThenOnlyExactLines) {
    FakeSettingsStore settings;
    ShortcutList own;
    own.add(OwnRun);
    own.add(MarkerTrigger);
    ProgramApprovals first(settings);
    first.load(own);
    first.approve("{S} \xC2\xAF hi \xC2\xAF Hello");  // starts nothing: not kept

    ShortcutList later;
    later.add(OwnRun);
    later.add(OtherRun);
    ProgramApprovals again(settings);
    again.load(later);
    struct Case {
        std::string_view line;
        bool approved;
    };
    const Case cases[] = {
        {OwnRun, true},
        {MarkerTrigger, true},
        {OtherRun, false},                                        // not in the first list
        {"{S} \xC2\xAF mail \xC2\xAF %(run=mail.exe )%", false},  // changed by a blank
        {"{T} \xC2\xAF mail \xC2\xAF %(run=mail.exe)%", false},   // another launch key
        {"{S} \xC2\xAF Mail \xC2\xAF %(run=mail.exe)%", false},   // another trigger
    };
    for (const Case& c : cases) {
        EXPECT_EQ(again.approved(c.line), c.approved) << c.line;
    }
    EXPECT_EQ(settings.keysOf(settings::Application, settings::ApprovedProgramsSection).size(), 2u);

    again.approve(OtherRun);
    ProgramApprovals third(settings);
    third.load(ShortcutList{});
    EXPECT_TRUE(third.approved(OtherRun));
    // A value put under another line's name approves neither line.
    const std::string key =
        settings.keysOf(settings::Application, settings::ApprovedProgramsSection).front();
    settings.write({settings::Application, settings::ApprovedProgramsSection, key}, "x");
    ProgramApprovals tampered(settings);
    tampered.load(ShortcutList{});
    EXPECT_NE(tampered.approved(OwnRun), tampered.approved(OtherRun));
}

}  // namespace
}  // namespace quorvel
