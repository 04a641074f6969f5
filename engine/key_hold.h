#pragma once
// Holds the keys typed while a shortcut's text is on its way and injects them
// again once its send has ended, in the order they came: nothing the user types
// lands inside a text or ahead of it, and a trigger typed meanwhile fires after
// it.
//
// The hook only decides and queues (a push onto a buffer allocated up front);
// the replay runs on the window thread after the send, like the send itself.
// Held keys live in this buffer alone, never anywhere else.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "platform/clock.h"
#include "platform/event_loop.h"
#include "platform/key_injection.h"
#include "platform/keyboard_hook.h"

namespace quorvel {

class KeyHold {
  public:
    // Bounds per send, so that a send that never ends cannot hang the keyboard:
    // past either, the held keys are replayed at once and later ones pass. The
    // time counts from the send's last sign of life (one of its own keys reaching
    // the system, a pass of its pause), so a long text or pause on a slow
    // machine holds for as long as it keeps going.
    static constexpr std::size_t MaxHeldEvents = 2000;
    static constexpr std::uint64_t MaxHoldMilliseconds = 10000;

    KeyHold(KeyInjector& injector, KeyStateQuery& keyState, EventLoop& events, Clock& clock);
    KeyHold(const KeyHold&) = delete;
    KeyHold& operator=(const KeyHold&) = delete;

    // For every key event the hook receives: true when the event is held, and the
    // hook must consume it.
    bool hold(const KeyEventRecord& event);

    // A match: keys are held from now until its send has ended.
    void begin();
    // A send is about to start. Notes which modifiers the system has down, before
    // the send lets them go. Its trigger's key was swallowed: with Alt or a
    // Windows key down, the target saw that key go down and nothing after it, so
    // its release (by the send, or the user's, replayed) would be a lone tap and
    // open the target's menu bar or the Start menu. A key no program acts on goes
    // in between.
    void maskMenuKeys();
    // The send has ended. Presses again the modifiers the user still holds (the
    // send let them go), then replays the held keys in order until none is left
    // or a replayed key has started a new send (`sendPending`); the keys behind
    // that one stay held for it. Each batch goes once the one before has come
    // through the hook; `done` runs when the replay stops.
    void replayAfterSend(std::function<bool()> sendPending, std::function<void()> done);
    // The hook may have missed key events (the session was locked, the machine
    // slept, the hook was dropped and installed again): takes the modifiers and
    // the keys down from the system's key state instead. Keys held for a send
    // stay held.
    void reset();
    // Replays at once when this send has held keys for too long.
    void enforceTimeBound();
    // The send is still going (a pass of its pause after the erase).
    void noteSendProgress();
    // Injects again the releases the platform refused, unless a send is on its
    // way (its replay puts them first).
    void retryRefusedReleases();

    // Past a bound: keys pass straight, and fire nothing, until the send ends.
    bool passingThrough() const { return passThrough_; }
    // Nothing held or on its way back: the keyboard may be let go.
    bool idle() const { return !holding_ && !replaying_ && size_ == 0; }

    // Figures for measuring, never which keys: presses held so far, and events
    // dropped because the platform would not take them even when asked twice.
    std::uint64_t pressesHeld() const { return pressesHeld_; }
    std::uint64_t eventsRefused() const { return eventsRefused_; }

  private:
    // Room beyond the bound for keys that arrive before the replay at once runs.
    static constexpr std::size_t Capacity = 4096;

    bool holdTimeUp() const;
    void passBound();
    void replayAtOnce();
    void replayNextBatch();
    void inject(std::span<const HeldKey> batch);
    void pressModifiersAgain();
    void noteDelivered(const KeyEventRecord& event);
    void noteUserModifier(std::uint32_t virtualKey, bool released, bool foreign,
                          std::uint16_t scanCode);
    void noteReachedSystem(std::uint32_t virtualKey, bool released);
    void noteRefused(const HeldKey& key);
    bool menuKeyDown() const;
    const HeldKey& at(std::size_t index) const { return ring_[(head_ + index) % Capacity]; }

    KeyInjector& injector_;
    KeyStateQuery& keyState_;
    EventLoop& events_;
    Clock& clock_;

    std::vector<HeldKey> ring_;
    std::size_t head_ = 0;
    std::size_t size_ = 0;
    std::vector<HeldKey> batch_;

    bool holding_ = false;
    bool passThrough_ = false;
    bool replaying_ = false;
    // The replay after a send: whether a send has started meanwhile, and what
    // runs when it stops.
    std::function<bool()> sendPending_;
    std::function<void()> replayDone_;
    std::uint64_t lastSendProgress_ = 0;

    // The modifier keys as the user last left them (passed straight, replayed,
    // or refused on the way): what must be down again after a send.
    struct DeliveredModifier {
        bool down = false;
        bool foreign = false;
        std::uint16_t scanCode = 0;
    };
    std::array<DeliveredModifier, ModifierKeys.size()> modifiers_{};
    // Which modifiers the system had down as the send began: a release the hook
    // never saw (on the lock screen, in a window of higher rights, past a hook
    // too slow for the system) shows only there.
    std::array<bool, ModifierKeys.size()> downBeforeSend_{};

    // Which keys the system has down, from every event that went on to it.
    std::array<bool, 256> downForSystem_{};
    // Releases the platform refused of keys the system has down: dropped, they
    // would leave a Shift down for good. At most one a key; tried again with the
    // next injection, at the next timer tick and after the user's next key, and
    // forgotten once an event of that key reaches the system.
    std::vector<HeldKey> refusedReleases_;
    bool retryPosted_ = false;
    std::vector<HeldKey> injection_;

    std::uint64_t pressesHeld_ = 0;
    std::uint64_t eventsRefused_ = 0;
};

}  // namespace quorvel
