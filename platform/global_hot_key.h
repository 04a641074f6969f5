#pragma once
// A key combination the system hands to this program alone, whatever window is
// in front: the program in front never sees it.

#include <cstdint>
#include <string_view>

namespace quorvel {

struct KeyChord {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
    std::uint8_t virtualKey = 0;
    // The name the user sees and the settings keep: "Ctrl+Alt+Space".
    std::string_view name;
    bool operator==(const KeyChord&) const = default;
};

class GlobalHotKey {
  public:
    virtual ~GlobalHotKey() = default;
    // Takes the chord in place of the one held before, if any; false when
    // another program holds it (nothing is held then).
    virtual bool claim(const KeyChord& chord) = 0;
    virtual void release() = 0;
};

}  // namespace quorvel
