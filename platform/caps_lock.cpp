#include "platform/caps_lock.h"

namespace quorvel {

CapsLockStroke strokeUnderCapsLock(bool shift, const KeyCharacters& characters) {
    const char32_t wanted = characters(shift, false);
    if (wanted == 0 || characters(shift, true) == wanted) {
        return {false, shift, 0};
    }
    if (characters(!shift, true) == wanted) {
        return {false, !shift, 0};
    }
    // A key whose Caps Lock gives other characters altogether (the Swiss "ü" gives
    // "Ü" with Caps Lock and "è" with Shift).
    return {true, shift, wanted};
}

}  // namespace quorvel
