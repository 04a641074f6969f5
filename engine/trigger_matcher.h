#pragma once
// The trigger matcher as a function: its state and one key event in, the new
// state and at most one match out. No services, no clock: the event brings the
// time and every fact about the system it needs.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/modifier_set.h"
#include "engine/shortcut_list.h"
#include "platform/clock.h"
#include "platform/virtual_keys.h"
#include "text/case_mapping.h"

namespace quorvel {

// The modifier keys whose being held records a modifier, in the order they are
// tested: a later key held overwrites an earlier one.
inline constexpr std::array<std::uint8_t, 6> RecordedModifierKeys = {
    vk::LAlt, vk::LCtrl, vk::LShift, vk::RAlt, vk::RCtrl, vk::RShift};

// Which of RecordedModifierKeys the user holds (not a send of ours), bit i for
// key i.
class HeldModifierKeys {
  public:
    void set(std::uint8_t virtualKey) {
        for (std::size_t i = 0; i < RecordedModifierKeys.size(); ++i) {
            if (RecordedModifierKeys[i] == virtualKey) {
                bits_ |= static_cast<std::uint8_t>(1u << i);
            }
        }
    }
    bool has(std::uint8_t virtualKey) const {
        for (std::size_t i = 0; i < RecordedModifierKeys.size(); ++i) {
            if (RecordedModifierKeys[i] == virtualKey) {
                return (bits_ >> i & 1u) != 0;
            }
        }
        return false;
    }

  private:
    std::uint8_t bits_ = 0;
};

struct MatcherState {
    std::string typed;  // lower-case names of the keys just typed
    // Beside each of them, how the user saw it: 'A' a capital letter, 'a' a
    // small one, '-' a key whose name is no letter. Out of step with `typed`
    // (the keys forgotten elsewhere), it is read as no letters.
    std::string typedCase;
    ModifierSet recorded;
    // When the last key came, and the last key that matched nothing. Whole
    // seconds, as the ticks' rules count them.
    std::optional<DateTime> lastKeyTime;
    std::optional<DateTime> lastUnmatchedKeyTime;
    bool operator==(const MatcherState&) const = default;
};

struct MatcherEvent {
    std::uint32_t virtualKey = 0;
    std::uint32_t flags = 0;  // key_flags, the user's replays cleared of Injected
    bool ours = false;        // one of this program's own keystrokes
    HeldModifierKeys held;    // read as the event came; unused for ours
    bool capsLock = false;    // Caps Lock was on as the event came; unused for ours
    DateTime time;
    // Where the key was typed: the focus moved since the last key (the letters
    // before are no part of a trigger), or a place Quorvel stays out of.
    bool focusMoved = false;
    bool stayOut = false;
    // False when a match found for this key cannot be delivered now: the key is
    // then handled as if it had matched nothing.
    bool deliverable = true;
};

struct MatcherSettings {
    bool showWindowHotKey = false;
    bool commonTextHotKey = false;
};

enum class HotKey { None, ShowMainWindow, ShowCommonText };

struct MatcherStep {
    MatcherState state;
    // The entry this key launches; the key is swallowed and its text sent.
    std::optional<LaunchMatch> match;
    // The case of the trigger as typed: a first capital and a later small
    // letter, or one letter in capitals, give FirstCapital; two or more letters
    // all in capitals AllCapitals. Only letters count; a function key has none.
    TextCase textCase = TextCase::AsStored;
    // A key of its own character ends the trigger (a "." while a modifier is
    // recorded): swallowed, so the send does not erase it.
    bool launchKeyEndsTrigger = false;
    HotKey hotKey = HotKey::None;
};

MatcherStep matchKey(const MatcherState& state, const MatcherEvent& event,
                     const ShortcutList& shortcuts, const MatcherSettings& settings);

// The modifier timer: a recorded modifier lasts a second after the last key
// that matched nothing.
MatcherState afterModifierTick(MatcherState state, const DateTime& now);
// The pause timer: more than five seconds without a key (either way: the clock
// may have been set back) forgets the typed keys and the modifier.
MatcherState afterPauseTick(MatcherState state, const DateTime& now);
// After the hook may have missed events: nothing typed, the modifiers as held now.
MatcherState afterKeysMissed(MatcherState state, const HeldModifierKeys& held);

}  // namespace quorvel
