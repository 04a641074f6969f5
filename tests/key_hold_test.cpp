#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/engine_fixture.h"
#include "support/transcript.h"

namespace quorvel {
namespace {

using testing::EngineFixture;

const std::string Erase2 = "{BACKSPACE}{BACKSPACE}";

// One scenario of keys typed around a send of "kw" (or a sample's function key).
// `setup` is a list of words: samples (the sample shortcuts), calibration=N (3
// unless given), boost, enter (after the text), blocked (every injection refused
// until the trigger has been typed), takes=1,0 (what the coming replays take, set
// once the keys of the first point are typed) and text=... (the rest of the line,
// "kilowatt hour" unless given). `during` lists the points of the send and the
// keys typed there, "point: keys" separated by " | ": "hook Space" hands that key
// to the hook directly, as the trigger's last key, and types the keys before the
// posted send runs; "stroke N" before the Nth stroke of a send; "pause" (or "slow
// pause", a second of the clock and a tick at each further pass) at the first
// pass of the pause after an erase; "after KEYS" after the send of those keys,
// "after any" after the first send. `then` is typed once the send has ended, and
// `trigger` before it all.
struct Scenario {
    const char* name;
    const char* setup;
    std::string during, then = "z", trigger = "kw ";
};

std::vector<std::pair<std::string, std::string>> points(const std::string& during) {
    std::vector<std::pair<std::string, std::string>> all;
    for (std::size_t start = 0; start < during.size();) {
        const std::size_t end = std::min(during.find(" | ", start), during.size());
        const std::size_t colon = during.find(": ", start);
        all.emplace_back(during.substr(start, colon - start),
                         during.substr(colon + 2, end - colon - 2));
        start = end + 3;
    }
    return all;
}

// Runs each scenario and returns what the target and the system saw, as
// tests/golden/ holds it: the sends and replays made, a modifier's events given
// back, the refused events, the target's text after the send and after `then`
// (when those keys did more than arrive), Shift or A left down, the menus a lone
// Alt or Win opened, and what {shown} and {state} noted (1,000 a's written as
// a*1000).
std::string run(const std::vector<Scenario>& scenarios) {
    const std::map<int, const char*> Modifiers{
        {vk::LCtrl, "Ctrl"}, {vk::LAlt, "Alt"}, {vk::LWin, "Win"}};
    std::ostringstream out;
    const std::string events(1000, 'a');
    auto text = [&events](std::string shown) {
        const auto at = shown.find(events);
        shown = at == std::string::npos ? shown : shown.replace(at, events.size(), "a*1000");
        return "\"" + testing::printable(shown) + "\"";
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        EngineFixture f;
        auto down = [&f] {
            std::string keys;
            for (const auto& [key, name] : {std::pair{int{vk::LShift}, "Shift"},
                                            {'A', "A"},
                                            {int{vk::LAlt}, "Alt"},
                                            {int{vk::LWin}, "Win"}}) {
                keys += f.keyboard.isDown(key) ? std::string(", ") + name + " down" : "";
            }
            return keys;
        };
        std::istringstream words(s.setup);
        std::string calibration = "3", entryText = "kilowatt hour";
        bool enter = false, blocked = false;
        std::deque<std::size_t> takes;
        for (std::string word; words >> word;) {
            if (word == "samples") {
                f.addSamples();
            } else if (word.starts_with("calibration=")) {
                calibration = word.substr(12);
            } else if (word.starts_with("takes=")) {
                std::istringstream list(word.substr(6));
                for (std::size_t n = 0; list >> n; list.ignore()) {
                    takes.push_back(n);
                }
            } else if (word.starts_with("text=")) {
                std::getline(words, entryText);
                entryText = word.substr(5) + entryText;
            }
            if (word == "boost")
                f.option(&EngineOptions::boost, true);
            enter |= word == "enter";
            blocked |= word == "blocked";
        }
        f.calibration(calibration);
        f.addEntry(LaunchMode::Space, enter, "kw", entryText);
        f.addEntry(LaunchMode::FunctionKey, false, "{Alt}{F8}", "%(run=calc.exe)%");
        const auto at = points(s.during);
        std::size_t typed = 0;
        auto typeNext = [&] {
            if (typed < at.size()) {
                f.keys(at[typed++].second);
                f.keyboard.replayTakes = std::exchange(takes, {});
            }
        };
        const std::string point = at.empty() ? "" : at[0].first;
        if (point.starts_with("stroke ")) {
            f.keyboard.betweenStrokes = [&](std::size_t stroke) {
                if (typed < at.size() && stroke == std::stoul(at[typed].first.substr(7))) {
                    typeNext();
                }
            };
        } else if (point.ends_with("pause")) {
            f.keyboard.afterSend = [&](std::string_view keys) {
                for (int pass = 2;
                     point == "slow pause" && typed == 0 && keys == Erase2 && pass <= 30; ++pass) {
                    f.loop.atPass(pass, [&] { f.keys("{clock 1}{tick}"); });
                }
                if (keys == Erase2) {
                    f.loop.atPass(1, typeNext);
                }
            };
        } else if (point.starts_with("after ")) {
            f.keyboard.afterSend = [&](std::string_view keys) {
                if (point == "after any" || keys == point.substr(6)) {
                    typeNext();
                }
            };
        }
        f.keyboard.blockInjection = blocked;
        f.keys(s.trigger);
        if (point.starts_with("hook ")) {
            // The send runs after the hook has returned.
            EXPECT_EQ(f.hookEvent(point == "hook Space" ? vk::Space : vk::F9 - 1, 0),
                      KeyDecision::Swallow);  // or F8
            EXPECT_TRUE(f.keyboard.sent.empty());
            EXPECT_TRUE(f.engine.sender().busy());
            typeNext();
        }
        f.keyboard.blockInjection = false;
        EXPECT_EQ(typed, at.size()) << "a point the send never reached";
        EXPECT_FALSE(f.engine.sender().busy());
        out << s.name << ": sent " << f.keyboard.sent.size() << ", replays "
            << f.keyboard.replayCalls;
        for (const HeldKey& key : f.keyboard.replayed) {
            if (const auto m = Modifiers.find(key.virtualKey); m != Modifiers.end()) {
                out << ", given back " << m->second << (key.released ? " up" : " down");
            }
        }
        if (const auto refused = f.keyboardEngine().keyHold().eventsRefused(); refused != 0) {
            out << ", refused " << refused;
        }
        const std::string afterTheSend = f.keyboard.targetText, downAfterTheSend = down();
        out << "; after the send " << text(afterTheSend) << downAfterTheSend << "\n";
        f.keys(s.then);
        std::ostringstream then;
        then << "  then " << text(f.keyboard.targetText) << down();
        then << (f.keyboard.menusOpened != 0 ? ", menus opened" : "");
        for (const std::string& shown : f.shown) {
            then << ", noted " << text(shown);
        }
        // Keys after the send that simply arrived are left out.
        if (then.str() != "  then " + text(afterTheSend + s.then) + downAfterTheSend) {
            out << then.str() << "\n";
        }
    }
    return out.str();
}

// Each group of rows below says what it checks; tests/golden/key_hold.txt holds
// what the target and the system saw in each row.
TEST(KeyHold, KeysTypedAroundASend) {
    std::string ownKeys = "a";
    for (int step = 0; step < 4; ++step) {
        ownKeys += "{clock 6}{ours LShift}{tick}";
    }
    const std::string afterErase = "after " + Erase2 + ": Ab\r";
    testing::expectGolden(
        "key_hold.txt",
        run({
            // Keys typed at any point of a send arrive after it, in order, with the
            // text whole. They are replayed through the matcher: a trigger among them
            // fires after the send, and the keys behind it wait for its text; once the
            // send is over nothing stays held, and "z" goes straight through. The
            // text's own capitals are typed with Shift, while the F9 was typed without.
            // (Keys typed into the text: e2e/replay_e2e.sh.)
            {"before the send starts", "samples", "hook Space: Ab\r", "z", "kw"},
            {"inside the erase", "samples", "stroke 1: Ab\r"},
            {"in the calibration pause", "samples", "pause: Ab\r"},
            {"after the text", "samples enter", "after kilowatt hour: Ab\r"},
            {"before a run macro", "samples enter text=%(run=calc.exe)%", afterErase},
            {"before a text that fails", "samples enter text={foo}", afterErase},
            {"with Boost, after the paste", "samples boost enter", "after ^(v): Ab\r"},
            {"the same trigger, with Boost", "samples boost", "pause: kw "},
            {"a trigger and more, and keys during its own send", "samples",
             "pause: kw xy | pause: z"},
            {"another program's trigger: held, but it fires nothing", "samples",
             "pause: {theirs K}{theirs W}{theirs Space}"},
            {"F9 during a text with capitals", "samples text=Kilowatt Hour", "pause: {F9}"},
            {"Shift+F9", "samples", "pause: {+LShift}{F9}{-LShift}"},
            // The send lets go of the modifiers the user holds, so that they do not
            // change its text; those still held when it ends are pressed again, and
            // those let go meanwhile only released, in their turn. The trigger's key
            // is swallowed, so with Alt or a Windows key down the target sees that key
            // go down and nothing after it: its release, by the send or by the user,
            // would be a lone tap and open the target's menu bar or the Start menu,
            // which would then take the keys typed next. With Ctrl held throughout,
            // once the recorded modifier is forgotten the key state alone tells: F9
            // again types Ctrl+F9's text. (Alt+F9, Alt let go at once or held past
            // the send: e2e/engine_e2e.sh.)
            {"Ctrl+F9, Ctrl let go during the send", "samples calibration=0", "stroke 3: {-LCtrl}",
             "fix it", "{+LCtrl}{F9}"},
            {"Ctrl+F9, Ctrl held throughout", "samples calibration=0", "",
             "{clock 2}{tick}{state}{F9}", "{+LCtrl}{F9}"},
            {"Alt+F8 starting a program", "samples calibration=0", "hook F8: {-LAlt}", "fix it",
             "{+LAlt}"},
            {"the Windows key held over F9", "samples calibration=0", "", "{-LWin}fix it",
             "{+LWin}{F9}"},
            // A modifier let go where the hook is not called (the lock screen after
            // Win+L, Ctrl+Alt+Del, a window of higher rights) is down by the hook's
            // count but up for the system: it is not pressed again after the next
            // text, or the keys typed next would be shortcuts (Alt+F, Win+E).
            {"Alt let go where the hook could not see", "calibration=0", "", "fix it",
             "{+LAlt}{unseen -LAlt}kw "},
            {"Win+L, let go on the lock screen, unlocked", "calibration=0", "", "fix it",
             "{+LWin}{unseen -LWin}{unlock}kw "},
            // A send that never ends must not hang the keyboard: past 2,000 held
            // events or ten seconds, the held keys go out at once and later ones pass
            // straight, firing nothing, until the send ends. The ten seconds count
            // from the send's last sign of life: one of its own keys reaching the
            // system, or a pass of its pause after the erase. On a slow machine either
            // may go on well past ten seconds, and the keys typed meanwhile must still
            // land after the text. The next send is as any other.
            {"2,000 events", "", "pause: " + std::string(1000, 'a') + "b{shown} kw {shown}",
             " kw "},
            {"ten seconds, then a key", "", "pause: a{clock 10}b{shown} kw {shown}", " kw "},
            {"ten seconds, then a timer tick", "", "pause: a{clock 10}{tick}{shown}b kw {shown}",
             " kw "},
            {"the send's own keys going in", "", "pause: " + ownKeys, " kw "},
            {"a slow pause after the erase", "calibration=30", "slow pause: a", " kw "},
            // A replay the platform takes only in part is tried once more with the
            // rest; what it refuses again (the focus has gone to a window closed to
            // our input) cannot be typed, and must not block the keys typed after. The
            // release of a key whose press went in is kept, and goes in after the
            // user's next key (the release of the Space): A is not left down.
            {"taken in part, then the rest", "calibration=0 takes=1", "after kilowatt hour: ab",
             "c"},
            {"taken in part twice", "calibration=0 takes=1,0", "after kilowatt hour: ab", "c"},
            {"refused twice", "calibration=0 takes=0,0", "after kilowatt hour: ab", "c"},
            // When the platform refuses every injection of a send (the input desktop
            // has changed, the focus is in a window closed to our input), a Shift the
            // user let go meanwhile must not stay down for the system: its release
            // goes in at the next chance (a tick, or the user's next key, which passes
            // first: held, it could be refused as well), unless the user has pressed
            // Shift again by then.
            {"a refused release, then a timer tick", "samples calibration=0 blocked",
             "after any: {-LShift}", "{tick}a", "{+LShift}{F9}"},
            {"a refused release, then the user's next key", "samples calibration=0 blocked",
             "after any: {-LShift}", "ba", "{+LShift}{F9}"},
            {"a refused release, Shift pressed again first", "samples calibration=0 blocked",
             "after any: {-LShift}", "{+LShift}{tick}a{-LShift}", "{+LShift}{F9}"},
        }));
}

}  // namespace
}  // namespace quorvel
