#include "tests/doubles/fake_keyboard.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/virtual_keys.h"
#include "tests/doubles/fake_clipboard.h"
#include "tests/doubles/fake_event_pump.h"
#include "tests/support/key_strokes.h"
#include "text/utf8.h"

namespace quorvel {

using namespace std::string_view_literals;

namespace {

bool isExtended(int key) {
    return key == vk::RCtrl || key == vk::RAlt || (key >= vk::PageUp && key <= vk::Down) ||
           key == vk::Insert || key == vk::Delete || (key >= vk::LWin && key <= vk::Apps) ||
           key == vk::Divide || key == vk::NumLock;
}

// The US layout, key by key: the character without Shift and with it ('\0' for
// none). Letters and digits are their own key codes; the other keys follow.
constexpr std::string_view Plain = "abcdefghijklmnopqrstuvwxyz0123456789 \t\r\n;=,-./`[\\]'"sv;
constexpr std::string_view Shifted = "ABCDEFGHIJKLMNOPQRSTUVWXYZ)!@#$%^&*(\0\0\0\0:+<_>?~{|}\""sv;
constexpr std::uint8_t OtherKeys[] = {
    vk::Space,     vk::Tab,         vk::Enter,     vk::Enter,        vk::Semicolon,
    vk::Equals,    vk::Comma,       vk::Minus,     vk::Period,       vk::Slash,
    vk::Backquote, vk::OpenBracket, vk::Backslash, vk::CloseBracket, vk::Quote};

int keyAt(std::size_t at) {
    const int index = static_cast<int>(at);
    return index < 26 ? 'A' + index : index < 36 ? '0' + index - 26 : OtherKeys[index - 36];
}

// The key and whether Shift is needed for a character.
std::optional<std::pair<int, bool>> keyForCharacter(char32_t c) {
    const char character = static_cast<char>(c);
    const bool shift = Plain.find(character) == std::string_view::npos;
    const std::size_t at = (shift ? Shifted : Plain).find(character);
    if (c == 0 || c >= 0x80 || at == std::string_view::npos) {
        return std::nullopt;
    }
    return std::pair{keyAt(at), shift};
}

std::optional<unsigned char> characterForKey(int code, bool shift) {
    for (std::size_t at = 0; at < Plain.size(); ++at) {
        const char c = (shift ? Shifted : Plain)[at];
        if (keyAt(at) == code && code != vk::Enter && c != '\0') {
            return static_cast<unsigned char>(c);
        }
    }
    return std::nullopt;
}

}  // namespace

FakeKeyboard::FakeKeyboard(FakeEventPump& pump, FakeClipboard& clipboard)
    : pump_(pump), clipboard_(clipboard) {}

std::uintptr_t FakeKeyboard::install(KeyHookProc proc) {
    hook_ = std::move(proc);
    return nextHandle_++;
}

void FakeKeyboard::remove(std::uintptr_t) {
    hook_ = nullptr;
}

namespace {

bool anyDown(const std::array<bool, 256>& keys, int code) {
    if (code == vk::Shift) {
        return keys[vk::LShift] || keys[vk::RShift];
    }
    if (code == vk::Ctrl) {
        return keys[vk::LCtrl] || keys[vk::RCtrl];
    }
    if (code == vk::Alt) {
        return keys[vk::LAlt] || keys[vk::RAlt];
    }
    return code >= 0 && code < 256 && keys[static_cast<std::size_t>(code)];
}

}  // namespace

bool FakeKeyboard::down(int code) const {
    return anyDown(down_, code);
}

// Only the "down now" bit: nothing reads the "pressed since" one.
std::uint16_t FakeKeyboard::GetAsyncKeyState(int virtualKey) {
    return anyDown(asyncDown_, virtualKey) ? 0x8000 : 0;
}

bool FakeKeyboard::deliver(int code, bool released, bool injected, std::uintptr_t extraInfo,
                           std::uint32_t scanCode) {
    KeyEventRecord event;
    event.vkCode = static_cast<std::uint32_t>(code);
    event.scanCode = scanCode;
    event.flags = (isExtended(code) ? key_flags::Extended : 0) |
                  (injected ? key_flags::Injected : 0) | (released ? key_flags::Released : 0);
    event.time = ++time_;
    event.dwExtraInfo = extraInfo;
    // The hook sees the key state from before this event, as on Windows, and an
    // event it consumes changes no key state.
    ++hookDepth_;
    const bool swallowed = hook_ && hook_(0, event) == 1;
    --hookDepth_;
    if (swallowed) {
        ++swallowedCount;
        return true;
    }
    // A lone tap of Alt opens the target's menu bar, of a Windows key the Start
    // menu.
    if (!released) {
        loneTapKey_ =
            code == vk::LAlt || code == vk::RAlt || code == vk::LWin || code == vk::RWin ? code : 0;
    } else if (code == loneTapKey_) {
        ++menusOpened;
        loneTapKey_ = 0;
    }
    const auto index = static_cast<std::size_t>(code & 0xFF);
    down_[index] = !released;
    asyncPending_.emplace_back(index, !released);
    while (asyncPending_.size() > keyStateLag) {
        const auto [key, isDown] = asyncPending_.front();
        asyncPending_.pop_front();
        asyncDown_[key] = isDown;
    }
    if (!released && code != vk::Packet) {
        applyToTarget(code);
    }
    return false;
}

void FakeKeyboard::applyToTarget(int code) {
    if (down(vk::Alt)) {
        return;
    }
    if (down(vk::Ctrl)) {
        if (code == 'V') {
            targetText += clipboard_.getText().value_or("");
        }
        return;
    }
    switch (code) {
        case vk::Backspace:
            if (!targetText.empty()) {
                targetText.pop_back();
            }
            return;
        case vk::Enter:
            targetText += "\r\n";
            return;
        default:
            break;
    }
    if (const auto character = characterForKey(code, down(vk::Shift))) {
        targetText += static_cast<char>(*character);
    }
}

bool FakeKeyboard::userKey(int virtualKey, bool released) {
    const bool swallowed = deliver(virtualKey, released, false, 0);
    if (nesting_ == 0) {
        pump_.runUntilIdle();
    }
    return swallowed;
}

bool FakeKeyboard::tap(int virtualKey) {
    const bool swallowed = press(virtualKey);
    release(virtualKey);
    return swallowed;
}

void FakeKeyboard::typeText(std::string_view text) {
    for (const char c : text) {
        const auto key = keyForCharacter(static_cast<unsigned char>(c));
        if (!key) {
            continue;
        }
        if (key->second) {
            press(vk::LShift);
        }
        tap(key->first);
        if (key->second) {
            release(vk::LShift);
        }
    }
}

SendOutcome FakeKeyboard::typeKeys(std::span<const KeyStroke> strokes, Wait wait) {
    sent.push_back({{strokes.begin(), strokes.end()}, wait});
    injectionsInsideHook += hookDepth_ > 0 ? 1 : 0;
    const SendOutcome outcome =
        blockInjection || !acceptsInput ? SendOutcome::Blocked : injectAll(strokes);
    if (afterSend) {
        afterSend(testing::keysText(strokes));
    }
    return outcome;
}

SendOutcome FakeKeyboard::injectAll(std::span<const KeyStroke> strokes) {
    // Keys typed by the user in between are not mixed into one send: the events
    // of one call enter the input stream together.
    ++nesting_;
    auto inject = [&](int code, bool released) {
        deliver(code, released, true, OwnInjectionMarker);
    };
    for (const ModifierKey& modifier : ModifierKeys) {
        if (down(modifier.virtualKey)) {
            inject(modifier.virtualKey, true);
        }
    }
    for (std::size_t index = 0; index < strokes.size(); ++index) {
        if (index > 0 && betweenStrokes) {
            betweenStrokes(index);
        }
        const KeyStroke& stroke = strokes[index];
        switch (stroke.kind) {
            case KeyStroke::Kind::Press:
            case KeyStroke::Kind::Release:
                inject(leftKey(stroke.modifier), stroke.kind == KeyStroke::Kind::Release);
                continue;
            case KeyStroke::Kind::Key:
                inject(stroke.virtualKey, false);
                inject(stroke.virtualKey, true);
                continue;
            case KeyStroke::Kind::Character:
                break;
        }
        const auto key = keyForCharacter(stroke.character);
        // Letters and digits go as their keys, so Ctrl+V pastes (keys are ASCII
        // only).
        if (key && (std::isalnum(static_cast<int>(stroke.character)) != 0 || down(vk::Ctrl))) {
            const bool needShift = key->second && !down(vk::Shift);
            if (needShift) {
                inject(vk::LShift, false);
            }
            inject(key->first, false);
            inject(key->first, true);
            if (needShift) {
                inject(vk::LShift, true);
            }
            continue;
        }
        // As itself, one packet per UTF-16 unit: a surrogate pair beyond U+FFFF.
        std::string character;
        utf8::append(character, stroke.character);
        for (const char16_t unit : utf8::toUtf16(character)) {
            deliver(vk::Packet, false, true, OwnInjectionMarker, unit);
            deliver(vk::Packet, true, true, OwnInjectionMarker, unit);
        }
        if (!down(vk::Ctrl) && !down(vk::Alt)) {
            targetText += character;
        }
    }
    --nesting_;
    return SendOutcome::AllSent;
}

std::size_t FakeKeyboard::replayKeys(std::span<const HeldKey> keys) {
    ++replayCalls;
    injectionsInsideHook += hookDepth_ > 0 ? 1 : 0;
    if (blockInjection || !acceptsInput) {
        return 0;
    }
    std::size_t take = keys.size();
    if (!replayTakes.empty()) {
        take = std::min(take, replayTakes.front());
        replayTakes.pop_front();
    }
    ++nesting_;
    for (const HeldKey& key : keys.first(take)) {
        replayed.push_back(key);
        deliver(key.virtualKey, key.released, true,
                key.foreign ? ForeignReplayMarker : ReplayMarker);
    }
    --nesting_;
    return take;
}

}  // namespace quorvel
