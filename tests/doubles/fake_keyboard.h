#pragma once
// A desktop with one keyboard and one focused edit box. User key presses and
// the program's injected keys both run through the installed hook, as on
// Windows, and whatever the hook lets through reaches the edit box.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/key_injection.h"
#include "platform/keyboard_hook.h"

namespace quorvel {

class FakeClipboard;
class FakeEventLoop;

class FakeKeyboard final : public KeyboardHookService, public KeyStateQuery, public KeyInjector {
  public:
    FakeKeyboard(FakeEventLoop& loop, FakeClipboard& clipboard);

    // KeyboardHookService
    std::uintptr_t install(KeyHookProc proc, MouseButtonProc onMouseButton) override;
    void remove(std::uintptr_t handle) override;
    bool hookInstalled() const { return static_cast<bool>(hook_); }

    // KeyStateQuery
    bool isDown(int virtualKey) override;
    // Each press of Caps Lock the hook lets through turns it over; the target's
    // letters do not follow it.
    bool capsLockOn() override { return capsLock_; }

    // KeyInjector
    SendOutcome typeKeys(std::span<const KeyStroke> strokes, Wait wait) override;
    bool focusedWindowAcceptsInput() override { return acceptsInput; }
    std::size_t replayKeys(std::span<const HeldKey> keys) override;
    // Every injected key has come through the hook already: it is delivered inside
    // the call that injects it.
    void whenKeysArrive(std::function<void()> then) override;

    // The user's keyboard. Each returns whether the hook consumed the event;
    // after the event the message loop runs until idle, so posted work happens.
    bool press(int virtualKey) { return userKey(virtualKey, false); }
    bool release(int virtualKey) { return userKey(virtualKey, true); }
    bool tap(int virtualKey);
    // Types characters on a US layout: letters, digits, blank, tab and CR (Enter);
    // capitals with the left Shift key.
    void typeText(std::string_view text);
    // A mouse button pressed, as the hook tells it.
    void click() {
        if (mouseButton_) {
            mouseButton_();
        }
    }

    // An event as another program would inject it, or as this program's injector
    // marks it, on its own: typeKeys delivers a whole send at once, while Wine
    // lets the user's keys fall in between.
    bool inject(int virtualKey, bool released, bool ours) {
        return deliver(virtualKey, released, true, ours ? OwnInjectionMarker : 0);
    }

    // A key pressed or let go where the hook is not called (on the lock screen,
    // in a window of higher rights): the key state alone changes.
    void unseen(int virtualKey, bool released) {
        down_[static_cast<std::size_t>(virtualKey & 0xFF)] = !released;
        asyncDown_[static_cast<std::size_t>(virtualKey & 0xFF)] = !released;
    }

    // Each send's keys as keysText writes them, " (waits)" after those of a send
    // that waits for them to be taken.
    std::vector<std::string> sent;
    std::string targetText;  // what the focused edit box shows
    // What the edit box does to what arrives, as some programs do: turns "--"
    // into a dash, indents the line after Enter, or runs the line at Enter and
    // shows its prompt "> " (a console: what came before can no longer be erased).
    enum class Target { Plain, Autocorrect, AutoIndent, Console };
    Target target = Target::Plain;
    int swallowedCount = 0;
    int installs = 0;  // hooks installed
    // Menus opened by a lone tap of Alt (the target's menu bar) or of a Windows
    // key (the Start menu): pressed and released with no other key between.
    int menusOpened = 0;
    bool blockInjection = false;  // typeKeys reports Blocked and nothing arrives
    bool acceptsInput = true;
    // How many events each coming replayKeys call takes, in turn; all when empty.
    std::deque<std::size_t> replayTakes;
    std::size_t replayCalls = 0;
    std::vector<HeldKey> replayed;  // every replayed event taken
    // typeKeys or replayKeys calls made from within the hook's callback, which
    // Windows would cut short: the hook must only decide and queue.
    int injectionsInsideHook = 0;
    // Runs before each stroke of a send after the first, with the stroke's index:
    // Wine lets the user's keys fall between the events of one send.
    std::function<void(std::size_t stroke)> betweenStrokes;
    // Runs after each send, taken or blocked, with its keys as keysText writes
    // them, so that a test can act at a given point of a send.
    std::function<void(std::string_view keys)> afterSend;
    // How many of the latest events the key state read by isDown lags
    // behind: under Wine several events can be on their way through the hook
    // before the first of them changes the key state.
    std::size_t keyStateLag = 0;

  private:
    bool userKey(int virtualKey, bool released);
    SendOutcome injectAll(std::span<const KeyStroke> strokes);
    bool deliver(int virtualKey, bool released, bool injected, std::uintptr_t extraInfo,
                 std::uint32_t scanCode = 0, std::optional<bool> extended = std::nullopt);
    void applyToTarget(int virtualKey);
    void arrived(std::string_view text);
    std::size_t ranUpTo_ = 0;  // a console's text up to here has run
    bool down(int virtualKey) const { return anyDown(down_, virtualKey); }
    static bool anyDown(const std::array<bool, 256>& keys, int code);

    FakeEventLoop& loop_;
    FakeClipboard& clipboard_;
    KeyHookProc hook_;
    MouseButtonProc mouseButton_;
    std::uintptr_t nextHandle_ = 0x100;
    std::array<bool, 256> down_{};
    std::array<bool, 256> asyncDown_{};
    std::deque<std::pair<std::size_t, bool>> asyncPending_;  // key, now down
    std::uint32_t time_ = 0;
    int loneTapKey_ = 0;
    bool capsLock_ = false;
    int nesting_ = 0;
    int hookDepth_ = 0;
};

}  // namespace quorvel
