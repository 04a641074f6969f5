#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/calibration.h"
#include "platform/caps_lock.h"
#include "support/engine_fixture.h"
#include "support/transcript.h"

namespace quorvel {
namespace {

using testing::EngineFixture;

// Sends one request with the given calibration number and returns its keys and
// the event-loop passes run before the text went out, counted from the erase
// when there was one.
std::pair<std::string, int> sendAndCount(const std::string& calibration, const std::string& trigger,
                                         bool forced = false) {
    EngineFixture f;
    f.option(&EngineOptions::forceText, forced);
    std::vector<int> at;  // the event-loop passes run by each send
    f.keyboard.afterSend = [&](std::string_view) { at.push_back(f.loop.passes()); };
    f.calibration(calibration);
    f.engine.sender().enqueue({trigger, "Hello", false, false, triggerTypesCharacters(trigger)});
    f.loop.runUntilIdle();
    const int text = at.empty() ? 0 : at.back();
    return {f.sentKeys(), at.size() >= 2 ? text - at[0] : text};
}

// Only a typed trigger is erased, one Backspace a character, and only then is
// there a calibration pause. tests/golden/sender_calibration_pause.txt holds each
// send's keys and how many more event-loop passes ran before the text than with
// a calibration of 0: a pass uses up 3 of the number, rounded up. Force Text,
// which waits for the erase to be taken, pauses the same after it.
TEST(TextSender, CalibrationPauseAfterTheEraseOfATypedTrigger) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"5", "TD", false},          {"-3", "TD", false},      {"abc", "TD", false},
        {"3.5", "a b", false},       {"7", "żó😀", false},      {"7", "{F10}", false},
        {"7", "{Shift}{F9}", false}, {"7", "{CTRL}ab", false}, {"7", "", false},
        {"5", "TD", true},           {"7", "{F10}", true},
    };
    std::string transcript;
    for (const auto& [calibration, trigger, forced] : cases) {
        const auto [sent, passes] = sendAndCount(calibration, trigger, forced);
        const int more = passes - sendAndCount("0", trigger, forced).second;
        transcript += std::string(calibration) + ", \"" + trigger + "\"" +
                      (forced ? ", Force Text" : "") + ": sent " + sent + ", " +
                      std::to_string(more) + " passes more\n";
    }
    testing::expectGolden("sender_calibration_pause.txt", transcript);
}

// Macros are expanded on both paths, at sending time. The clipboard's text is
// typed as it stands: no character of it acts as notation or starts a program,
// and each of its line breaks is one Enter; the shortcut's own notation around
// it stays notation: braces around it make no key name of it. In
// tests/golden/sender_notation.txt: what the target received from each text,
// typed and pasted (Boost). "1+2" types "1@" (Shift for the next key), Ctrl+B
// and Alt+Y type nothing, "~" is Enter.
TEST(TextSender, NotationActsWhenTypedNotWhenPastedAndNeverInClipboardText) {
    const std::string clip = "%(clipboard text)%";
    const std::string run = R"(x %(run=C:\tools\marker.exe pwned)% y)";
    const std::string notation = "50% off {v2} +a ^b ~ (c) [d] {{}}\tZażółć 😀";
    // Each text, with the clipboard's text it finds; the texts after them find
    // none.
    std::vector<std::pair<std::string, std::string>> cases = {
        {"Quote: " + clip, run},  {"<" + clip + ">", notation}, {clip, "a\r\nb\nc\rd\n\n"},
        {"+" + clip + "~", "ab"}, {"{" + clip + "}", "ENTER"},
    };
    for (const char* text : {"%(date)% %(Time)%+1", "1+2", "a^bc", "x%yz", "a~b", "{{}x{}}",
                             "Zażółć Ελληνικά 日本語 → ✓ 😀\r\nß € ¯"}) {
        cases.emplace_back(text, "");
    }
    std::string transcript;
    for (const auto& [text, clipboard] : cases) {
        transcript += testing::printable(text) + " with \"" + testing::printable(clipboard) + "\"";
        for (const bool boost : {false, true}) {
            SCOPED_TRACE(text + " with " + clipboard + (boost ? " boost" : ""));
            EngineFixture f;
            f.option(&EngineOptions::boost, boost);
            f.clipboard.setText(clipboard);
            f.addEntry(LaunchMode::Space, false, "nt", text);
            f.keyboard.typeText("nt ");
            transcript += (boost ? "\n  pasted: " : "\n  typed:  ") +
                          testing::printable(f.keyboard.targetText);
            EXPECT_EQ(f.programs.started, std::vector<std::string>{});
        }
        transcript += "\n";
    }
    testing::expectGolden("sender_notation.txt", transcript);
}

// What the user had goes back, an empty clipboard too, once the target has read
// the paste, which many programs do a moment after the key, or when it has not
// read it 1.5 s after the key; never while a reader has the clipboard open. A
// clipboard monitor reading before the Ctrl+V gets nothing and leaves the text
// unread for the target. The user's keys typed during the send wait for their
// clipboard: a Ctrl+V of theirs pastes their own text, a trigger of
// "%(clipboard text)%" reads it. Each write is marked for clipboard monitors;
// an empty clipboard put back has nothing to mark.
//
// A clipboard held open by another program (a clipboard manager reading it) is
// waited for before the snapshot, the write and the Ctrl+V; one opened between
// the wait and our use of it is tried again. Past the wait's bound, and for a
// clipboard too large to give back (past the snapshot's bound of bytes or
// time), the text is typed instead, the trigger erased once, and the user told
// once of a clipboard too large. A copy made while the paste is on its way
// stays on the clipboard, a write that failed included.
//
// tests/golden/sender_clipboard.txt holds what the target received, whether the
// clipboard was still held open after the send, the user's contents back at
// once or after some milliseconds of clipboardTimer ticks (or what the
// clipboard holds instead), the clipboard writes (and how many were marked),
// what a monitor reading first got, and the times the user was told.
TEST(TextSender, BoostGivesTheClipboardBackOnceTheTargetHasReadIt) {
    struct Case {
        const char* name;
        std::string when =
            "";           // from the start, at the text's write, at the Ctrl+V, after the snapshot
        int seconds = 0;  // another program holds the clipboard open then
        bool secondPaste = false, userCopies = false;  // the user copies while it is held
        const char* typedAfterThePaste = "";
        bool userHadContents = true;
        int readsAfterMs = 0;  // the target reads the clipboard this long after the key; -1 never
        bool monitorReadsFirst = false;
        std::uint64_t openAfterReadMs = 0;  // the target keeps the clipboard open after its read
        std::uint64_t renderMs = 0;         // the formats' programs take this long to draw them
        std::size_t pictureBytes = 5;       // the size of the picture on the clipboard
        bool exitsBeforeTheRead = false;    // Quorvel ends right after the Ctrl+V
    };
    // The longest hold the wait sees through, and one it gives up on.
    const int withinTheBound = static_cast<int>(TextSender::ClipboardWaitMilliseconds / 1000);
    const int pastTheBound = withinTheBound + 5;
    const char* ctrlV = "{+LCtrl}v{-LCtrl}";
    const Case cases[] = {
        {"Ctrl+V typed after the paste", "", 0, false, false, ctrlV},
        {"Ctrl+V typed after the paste, the clipboard empty", "", 0, false, false, ctrlV, false},
        {"the clipboard's text typed after the paste", "", 0, false, false, "cb "},
        {"the clipboard's text typed after the paste, the clipboard empty", "", 0, false, false,
         "cb ", false},
        {"held a moment from the start", "start", withinTheBound},
        {"held long from the start", "start", pastTheBound},
        {"held a moment after the text is written", "write", withinTheBound},
        {"held long after the text is written", "write", pastTheBound},
        {"held a moment after the Ctrl+V", "^(v)", withinTheBound},
        {"held long after the Ctrl+V", "^(v)", pastTheBound},
        {"held long after the Ctrl+V, then a second paste", "^(v)", pastTheBound, true},
        {"taken before the snapshot", "taken", 0},
        {"the user copies", "^(v)", 0, false, true},
        {"the user copies while the write waits in vain", "snapshot", pastTheBound, false, true},
        {.name = "the target reads 300 ms after the key", .readsAfterMs = 300},
        {.name = "the target reads 300 ms after the key, its Ctrl+V typed after the paste",
         .typedAfterThePaste = ctrlV,
         .readsAfterMs = 300},
        {.name = "a monitor reads first, the target 300 ms after the key",
         .readsAfterMs = 300,
         .monitorReadsFirst = true},
        {.name = "the target never reads", .readsAfterMs = -1},
        {.name = "the target reads and keeps the clipboard open 500 ms", .openAfterReadMs = 500},
        {.name = "too slow to save", .renderMs = 300},
        {.name = "too large to save", .pictureBytes = (std::size_t{64} << 20) + 1},
        {.name = "Quorvel ends before the target reads",
         .readsAfterMs = -1,
         .exitsBeforeTheRead = true},
    };
    std::string transcript;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        // Another program holds the clipboard open for some seconds of the fake
        // clock, which moves a second with each pass of the event loop meanwhile.
        bool held = false, typedAfter = false;
        auto holdAt = [&f, &c, &held](std::string_view point) {
            if (held || point != c.when) {
                return;
            }
            held = true;
            f.clipboard.locked = c.seconds > 0;
            for (int pass = 1; pass <= c.seconds; ++pass) {
                f.loop.atPass(pass, [&f, pass, &c] {
                    f.clock.advanceSeconds(1);
                    f.clipboard.locked = false;
                    if (pass == 1 && c.userCopies) {
                        f.clipboard.setText("copied meanwhile");
                    }
                    f.clipboard.locked = pass < c.seconds;
                });
            }
            if (c.userCopies && c.seconds == 0) {
                f.clipboard.setText("copied meanwhile");
            }
        };
        f.option(&EngineOptions::boost, true);
        f.addEntry(LaunchMode::Space, false, "he", "Hello");
        f.addEntry(LaunchMode::Space, false, "cb", "%(clipboard text)%");
        f.clipboard.setText("the user's text");
        f.clipboard.putFormat(8, std::vector<std::uint8_t>(c.pictureBytes, 7));
        const ClipboardSnapshot former =
            c.userHadContents ? f.clipboard.contents() : ClipboardSnapshot{};
        if (!c.userHadContents) {
            f.clipboard.clear();
        }
        int told = 0;
        f.engine.sender().onClipboardTooLarge = [&told] { ++told; };
        f.clipboard.renderMilliseconds = c.renderMs;
        f.clipboard.pasteReadsLate = c.readsAfterMs != 0;
        f.clipboard.takenInBetween = c.when == "taken" ? 5 : 0;
        std::string monitorGot = "-";
        f.clipboard.afterWrite = [&] {
            holdAt("write");
            if (c.monitorReadsFirst && monitorGot == "-") {
                monitorGot = f.clipboard.getText().value_or("?");
            }
        };
        f.clipboard.afterSnapshot = [&] { holdAt("snapshot"); };
        f.keyboard.afterSend = [&](std::string_view keys) {
            holdAt(keys);
            if (keys == "^(v)" && !std::exchange(typedAfter, true)) {
                if (c.openAfterReadMs > 0) {
                    f.clipboard.locked = true;
                }
                f.keys(c.typedAfterThePaste);
            }
        };
        holdAt("start");
        const int writesBefore = f.clipboard.writes;
        const int markedBefore = f.clipboard.markedWrites;
        // Ticks every 100 ms until the user's contents are back; the target reads
        // late, and lets go of the clipboard, at its time.
        std::uint64_t sinceKey = 0;
        auto tickUntilBack = [&] {
            std::string back = f.clipboard.contents() == former ? ", the user's back at once" : "";
            for (sinceKey = 0; f.engine.sender().wantsClipboardSteps() && sinceKey < 3000;) {
                f.clock.advanceMilliseconds(100);
                sinceKey += 100;
                if (c.readsAfterMs > 0 && sinceKey == static_cast<std::uint64_t>(c.readsAfterMs)) {
                    f.clipboard.readLatePaste();
                }
                f.clipboard.locked = c.openAfterReadMs > 0 && sinceKey < c.openAfterReadMs;
                f.engine.clipboardTimerTick();
                f.loop.runUntilIdle();
                if (back.empty() && f.clipboard.contents() == former) {
                    back = ", the user's back after " + std::to_string(sinceKey) + " ms";
                }
            }
            return back.empty() ? ", the clipboard holds " + f.clipboard.getText().value_or("?")
                                : back;
        };
        f.keyboard.typeText("he ");
        if (c.exitsBeforeTheRead) {
            f.engine.stop();
        }
        transcript += std::string(c.name) + ": ";
        transcript += f.clipboard.locked && c.openAfterReadMs == 0 ? "still held, " : "";
        f.clipboard.locked = false;
        std::string back = tickUntilBack();
        if (c.secondPaste) {
            f.keyboard.typeText("he ");
            back += ", then" + tickUntilBack();
        }
        transcript += testing::printable(f.keyboard.targetText) + back + ", writes " +
                      std::to_string(f.clipboard.writes - writesBefore) + " (" +
                      std::to_string(f.clipboard.markedWrites - markedBefore) + " marked)";
        transcript += c.monitorReadsFirst ? ", the monitor got \"" + monitorGot + "\"" : "";
        transcript += told > 0 ? ", told " + std::to_string(told) + "\n" : "\n";
    }
    testing::expectGolden("sender_clipboard.txt", transcript);
}

// A send ends at its first failure, after the erase, and a run macro ends it
// too; a clipboard that cannot be read for its text, or a program named only
// by way of the user's date form, leaves the trigger as typed, its Space typed
// back, and tells. Whatever the end, no Enter is left for the next send to
// press, and the user's clipboard is as it was. A clipboard holding no text (a picture) gives empty
// text. Only a forced send waits for its erase and text to be taken; a paste always waits, the
// Enter never. tests/golden/sender_ends.txt holds each send's keys, a call after each " | ", and
// the programs it started.
TEST(TextSender, EveryEndOfASendLeavesNoEnterForTheNext) {
    struct Case {
        const char* name;
        const char* text;
        bool lockedClipboard = false, blockFromStart = false, blockAfterErase = false,
             boost = false, force = false;
        const char* date = nullptr;
    };
    const Case cases[] = {
        {"unclosed macro", "Hi %(date"},
        {"run macro", "%(run=calc.exe)%"},
        {.name = "run macro named by the date", .text = "%%(date)%n=calc.exe)%", .date = "(ru"},
        {"clipboard locked", "a%(clipboard text)%b", true},
        {"clipboard holding a picture", "a%(clipboard text)%b"},
        {"notation rejected", "{foo}"},
        {"blocked from the start", "Hi", false, true},
        {"blocked after the erase", "Hi", false, false, true},
        {"paste with the clipboard locked", "Hi", true, false, false, true},
        {"sent whole", "Hi"},
        {.name = "forced", .text = "Hi", .force = true},
        {.name = "pasted", .text = "Hi", .boost = true},
        {.name = "forced and pasted", .text = "Hi", .boost = true, .force = true},
    };
    std::string transcript;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.calibration("2");
        f.addEntry(LaunchMode::Space, true, "fo", c.text);
        f.option(&EngineOptions::boost, c.boost);
        f.option(&EngineOptions::forceText, c.force);
        f.clipboard.putFormat(8, {1, 2, 3});
        const ClipboardSnapshot former = f.clipboard.contents();
        f.clipboard.locked = c.lockedClipboard;
        if (c.date != nullptr) {
            f.locale.date = c.date;
        }
        f.keyboard.typeText("fo");
        f.keyboard.blockInjection = c.blockFromStart;
        if (c.blockAfterErase) {
            f.keyboard.afterSend = [&f](std::string_view) { f.keyboard.blockInjection = true; };
        }
        std::string told;
        f.engine.sender().onClipboardUnreadable = [&told](const std::string& trigger) {
            told = ", told the clipboard was unreadable for " + trigger;
        };
        f.engine.sender().onProgramFromDateOrTime = [&told](const std::string& trigger) {
            told = ", told the date named a program for " + trigger;
        };
        f.keyboard.tap(vk::Space);
        transcript += std::string(c.name) + ": sent " + f.sentKeys() + told;
        for (const std::string& program : f.programs.started) {
            transcript += ", started " + program;
        }
        transcript += "\n";
        EXPECT_TRUE(f.engine.sender().wantsClipboardSteps());
        f.clipboard.locked = false;
        f.engine.clipboardTimerTick();
        EXPECT_EQ(f.clipboard.contents(), former);
        f.keyboard.afterSend = nullptr;
        f.keyboard.blockInjection = false;
        f.addEntry(LaunchMode::Space, false, "ok", "fine");
        f.keyboard.typeText("ok ");
        EXPECT_TRUE(f.keyboard.targetText.ends_with("fine"));
    }
    testing::expectGolden("sender_ends.txt", transcript);
}

// Rounded half to even; anything but a plain decimal within 32 bits is refused
// (tests/golden/calibration.txt).
TEST(Calibration, PassesFromTheTypedNumber) {
    std::string transcript;
    for (const char* text :
         {"500",  " 7 ",        "+4",          "0",          ".5",          "5.",
          "12.5", "2.5",        "3.5",         "2.6",        "-2.5",        "0.4",
          "-3",   "2147483647", "-2147483648", "2147483648", "-2147483649", "99999999999999999999",
          "",     "   ",        "abc",         "1e5",        "1,000",       "$5",
          "5$",   "-",          ".",           "+-4",        "4 2",         "1.2.3",
          "\t7",  "0x10",       "inf",         "nan"}) {
        const auto passes = calibrationPasses(text);
        transcript += "\"" + testing::printable(text) +
                      "\": " + (passes ? std::to_string(*passes) : "refused") + "\n";
    }
    testing::expectGolden("calibration.txt", transcript);
}

// One key of a layout: what it types without and with Shift, with Caps Lock off
// and on. tests/golden/caps_lock.txt holds the stroke that types it as the text
// asks, with or without Shift: a French digit key is one Caps Lock shifts, a
// Swiss key has capitals of its own under Caps Lock, and a dead key goes as
// without Caps Lock.
TEST(CapsLock, KeysTypeWhatTheyTypeWithCapsLockOff) {
    // Each key: its name, what it types plain, shifted, under Caps Lock and shifted
    // under Caps Lock.
    const std::tuple<const char*, char32_t, char32_t, char32_t, char32_t> keys[] = {
        {"a letter", U'a', U'A', U'A', U'a'}, {"a US digit", U'1', U'!', U'1', U'!'},
        {"French 1", U'&', U'1', U'1', U'&'}, {"Swiss ü", U'ü', U'è', U'Ü', U'È'},
        {"a dead key", 0, 0, 0, 0},
    };
    std::string transcript;
    for (const auto& [name, plain, shifted, capsPlain, capsShifted] : keys) {
        const std::array<char32_t, 4> types{plain, shifted, capsPlain, capsShifted};
        for (const bool shift : {false, true}) {
            const CapsLockStroke stroke = strokeUnderCapsLock(
                shift, [&types](bool withShift, bool caps) { return types[2 * caps + withShift]; });
            transcript += std::string(name) + (shift ? ", shifted: " : ": ") +
                          (stroke.asCharacter ? "as a character" : "as its key") +
                          (stroke.shift ? ", with Shift" : "");
            if (stroke.character != 0) {
                utf8::append(transcript += " ", stroke.character);
            }
            transcript += "\n";
        }
    }
    testing::expectGolden("caps_lock.txt", transcript);
}

}  // namespace
}  // namespace quorvel
