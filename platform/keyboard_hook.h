#pragma once
// Low-level keyboard hook and the asynchronous key-state query.

#include <cstdint>
#include <functional>

namespace quorvel {

// The platform's record of one key event, as plain fields (no Windows types).
struct KeyEventRecord {
    std::uint32_t vkCode = 0;
    std::uint32_t scanCode = 0;
    std::uint32_t flags = 0;
    std::uint32_t time = 0;
    std::uintptr_t dwExtraInfo = 0;
};

// Low-level event flags.
namespace key_flags {
inline constexpr std::uint32_t Extended = 0x01;
inline constexpr std::uint32_t LowerIntegrityInjected = 0x02;
inline constexpr std::uint32_t Injected = 0x10;
inline constexpr std::uint32_t AltDown = 0x20;
inline constexpr std::uint32_t Released = 0x80;
}  // namespace key_flags

// Marks every key event this program injects, so they can be told from keys
// injected by other programs.
inline constexpr std::uintptr_t OwnInjectionMarker = 0x51564C31;  // "QVL1"
// Marks the user's keys that were held during a send and are injected again
// after it, and the keys of other programs held and injected again the same way.
inline constexpr std::uintptr_t ReplayMarker = 0x51564C52;         // "QVLR"
inline constexpr std::uintptr_t ForeignReplayMarker = 0x51564C46;  // "QVLF"

// What becomes of a key event: it goes on to the focused program, or no
// program sees it.
enum class KeyDecision { Pass, Swallow };

// Called for every key event the system hands the hook.
using KeyHookProc = std::function<KeyDecision(const KeyEventRecord& event)>;
// Told of each mouse button pressed anywhere: a click may have moved the caret.
using MouseButtonProc = std::function<void()>;

class KeyboardHookService {
  public:
    virtual ~KeyboardHookService() = default;
    // Installs a system-wide low-level keyboard hook, and tells of mouse buttons
    // from then on; returns the keyboard hook's handle, 0 when refused.
    virtual std::uintptr_t install(KeyHookProc proc, MouseButtonProc onMouseButton) = 0;
    // Removes the hooks installed under the handle.
    virtual void remove(std::uintptr_t handle) = 0;
};

class KeyStateQuery {
  public:
    virtual ~KeyStateQuery() = default;
    // Whether the system has the key down now, by every event it has taken.
    virtual bool isDown(int virtualKey) = 0;
    // Whether Caps Lock is on now.
    virtual bool capsLockOn() = 0;
};

}  // namespace quorvel
