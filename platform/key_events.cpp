#include "platform/key_events.h"

#include <string>

#include "platform/caps_lock.h"
#include "text/utf8.h"

namespace quorvel {

namespace {

struct Modifiers {
    bool shift = false, ctrl = false, alt = false;
};

void pressAndRelease(std::vector<KeyEvent>& events, std::uint8_t virtualKey) {
    events.push_back({.virtualKey = virtualKey});
    events.push_back({.virtualKey = virtualKey, .release = true});
}

void pressModifiers(std::vector<KeyEvent>& events, Modifiers held, bool release) {
    const std::pair<bool, std::uint8_t> keys[] = {
        {held.shift, vk::LShift}, {held.ctrl, vk::LCtrl}, {held.alt, vk::LAlt}};
    for (const auto& [on, virtualKey] : keys) {
        if (on) {
            events.push_back({.virtualKey = virtualKey, .release = release});
        }
    }
}

// One packet per UTF-16 unit: beyond U+FFFF (emoji) a surrogate pair.
void appendCharacter(std::vector<KeyEvent>& events, char32_t character) {
    std::string text;
    utf8::append(text, character);
    for (const char16_t unit : utf8::toUtf16(text)) {
        events.push_back({.virtualKey = vk::Packet, .character = unit});
        events.push_back({.virtualKey = vk::Packet, .character = unit, .release = true});
    }
}

}  // namespace

std::vector<KeyEvent> keyEventsFor(std::span<const KeyStroke> strokes, const KeyboardLayout& layout,
                                   std::span<const std::uint8_t> heldModifiers, bool capsLock) {
    std::vector<KeyEvent> events;
    events.reserve(strokes.size() * 4 + heldModifiers.size());
    for (const std::uint8_t virtualKey : heldModifiers) {
        events.push_back({.virtualKey = virtualKey, .release = true});
    }
    Modifiers held;
    for (const KeyStroke& stroke : strokes) {
        if (stroke.kind == KeyStroke::Kind::Press || stroke.kind == KeyStroke::Kind::Release) {
            const bool down = stroke.kind == KeyStroke::Kind::Press;
            switch (stroke.modifier) {
                case Modifier::Shift:
                    held.shift = down;
                    break;
                case Modifier::Ctrl:
                    held.ctrl = down;
                    break;
                case Modifier::Alt:
                    held.alt = down;
                    break;
                case Modifier::Win:
                    break;
            }
            continue;
        }
        Modifiers mods = held;
        if (stroke.kind == KeyStroke::Kind::Key) {
            pressModifiers(events, mods, false);
            pressAndRelease(events, stroke.virtualKey);
            pressModifiers(events, mods, true);
            // "{CAPSLOCK}" in a text: what follows still comes out as written.
            capsLock = capsLock != (stroke.virtualKey == vk::CapsLock);
            continue;
        }
        const char32_t character = stroke.character;
        const std::optional<KeyboardLayout::Key> key = layout.keyFor(character);
        // A character behind AltGr ("@" and "{" on a German layout) goes as itself
        // too: the layout gives it as Ctrl+Alt+key, and Wine types nothing for an
        // injected Ctrl+Alt+key. So does one on a dead key, which would put its
        // accent on the next character: a text's "^a" would arrive as "â".
        if (key && !(key->ctrl && key->alt) && !layout.isDeadKey(key->virtualKey, key->shift)) {
            mods.shift = mods.shift || key->shift;
            mods.ctrl = mods.ctrl || key->ctrl;
            mods.alt = mods.alt || key->alt;
            const std::uint8_t virtualKey = key->virtualKey;
            // Caps Lock would turn a text's letters upside down. With Ctrl or Alt
            // the stroke is a command, which Caps Lock leaves alone.
            if (capsLock && !mods.ctrl && !mods.alt) {
                const CapsLockStroke asWritten =
                    strokeUnderCapsLock(mods.shift, [&](bool shift, bool caps) {
                        return layout.characterOf(virtualKey, shift, caps);
                    });
                if (asWritten.asCharacter) {
                    appendCharacter(events, asWritten.character);
                    continue;
                }
                mods.shift = asWritten.shift;
            }
            pressModifiers(events, mods, false);
            pressAndRelease(events, virtualKey);
            pressModifiers(events, mods, true);
            continue;
        }
        // A character the layout lacks goes as itself.
        pressModifiers(events, mods, false);
        appendCharacter(events, character);
        pressModifiers(events, mods, true);
    }
    return events;
}

}  // namespace quorvel
