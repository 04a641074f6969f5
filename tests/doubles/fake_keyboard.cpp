#include "tests/doubles/fake_keyboard.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/virtual_keys.h"
#include "tests/doubles/fake_clipboard.h"
#include "tests/doubles/fake_event_loop.h"
#include "tests/support/key_strokes.h"
#include "text/utf8.h"

namespace quorvel {

namespace {

// A US layout, as far as tests type: letters, digits and the characters Shift
// gives them, blank, tab and Enter.
constexpr std::string_view ShiftedDigits = ")!@#$%^&*(";

// The key and whether Shift is needed for a character.
std::optional<std::pair<int, bool>> keyForCharacter(char32_t c) {
    const int character = c < 0x80 ? static_cast<int>(c) : 0;
    if (std::isalnum(character) != 0) {
        return std::pair{std::toupper(character), std::isupper(character) != 0};
    }
    const int key = c == ' ' ? vk::Space : c == '\t' ? vk::Tab : c == '\r' ? vk::Enter : 0;
    return key != 0 ? std::optional{std::pair{key, false}} : std::nullopt;
}

// Shift (when needed and not down already) around a tap of the key.
template <typename Send>
void typeShifted(std::pair<int, bool> key, bool shiftDown, Send send) {
    const bool shift = key.second && !shiftDown;
    if (shift) {
        send(vk::LShift, false);
    }
    send(key.first, false);
    send(key.first, true);
    if (shift) {
        send(vk::LShift, true);
    }
}

std::optional<char> characterForKey(int code, bool shift) {
    if (code >= 'A' && code <= 'Z') {
        return static_cast<char>(shift ? code : std::tolower(code));
    }
    if (code >= '0' && code <= '9') {
        return shift ? ShiftedDigits[static_cast<std::size_t>(code - '0')]
                     : static_cast<char>(code);
    }
    return code == vk::Space ? std::optional{' '}
           : code == vk::Tab ? std::optional{'\t'}
                             : std::nullopt;
}

}  // namespace

FakeKeyboard::FakeKeyboard(FakeEventLoop& loop, FakeClipboard& clipboard)
    : loop_(loop), clipboard_(clipboard) {}

std::uintptr_t FakeKeyboard::install(KeyHookProc proc, MouseButtonProc onMouseButton) {
    hook_ = std::move(proc);
    mouseButton_ = std::move(onMouseButton);
    ++installs;
    return nextHandle_++;
}

void FakeKeyboard::remove(std::uintptr_t) {
    hook_ = nullptr;
    mouseButton_ = nullptr;
}

// Shift, Ctrl or Alt stands for either key of its pair (LShift, RShift, LCtrl...).
bool FakeKeyboard::anyDown(const std::array<bool, 256>& keys, int code) {
    if (code >= vk::Shift && code <= vk::Alt) {
        const auto left = static_cast<std::size_t>(vk::LShift + 2 * (code - vk::Shift));
        return keys[left] || keys[left + 1];
    }
    return code >= 0 && code < 256 && keys[static_cast<std::size_t>(code)];
}

// Only the "down now" bit: nothing reads the "pressed since" one.
bool FakeKeyboard::isDown(int virtualKey) {
    return anyDown(asyncDown_, virtualKey);
}

bool FakeKeyboard::deliver(int code, bool released, bool injected, std::uintptr_t extraInfo,
                           std::uint32_t scanCode, std::optional<bool> extended) {
    KeyEventRecord event;
    event.vkCode = static_cast<std::uint32_t>(code);
    event.scanCode = scanCode;
    event.flags =
        (extended.value_or(isExtendedKey(static_cast<std::uint32_t>(code))) ? key_flags::Extended
                                                                            : 0) |
        (injected ? key_flags::Injected : 0) | (released ? key_flags::Released : 0);
    event.time = ++time_;
    event.dwExtraInfo = extraInfo;
    // The hook sees the key state from before this event, as on Windows, and an
    // event it consumes changes no key state.
    ++hookDepth_;
    const bool swallowed = hook_ && hook_(event) == KeyDecision::Swallow;
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
    capsLock_ = capsLock_ != (!released && code == vk::CapsLock);
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
            clipboard_.paste(targetText);
        }
        return;
    }
    // Backspace erases a line break or a character whole.
    if (code == vk::Backspace && targetText.size() > ranUpTo_) {
        std::size_t erase = targetText.ends_with("\r\n") ? 2 : 1;
        while (erase < targetText.size() &&
               (targetText[targetText.size() - erase] & 0xC0) == 0x80) {
            ++erase;
        }
        targetText.resize(targetText.size() - erase);
    } else if (code == vk::Enter) {
        arrived("\r\n");
    } else if (const auto character = characterForKey(code, down(vk::Shift))) {
        arrived(std::string(1, *character));
    }
}

void FakeKeyboard::arrived(std::string_view text) {
    targetText += text;
    if (target == Target::Autocorrect && targetText.ends_with("--")) {
        targetText.replace(targetText.size() - 2, 2, "\u2014");
    } else if (target == Target::AutoIndent && text == "\r\n") {
        targetText += "  ";
    } else if (target == Target::Console && text == "\r\n") {
        targetText += "> ";
        ranUpTo_ = targetText.size();
    }
}

bool FakeKeyboard::userKey(int virtualKey, bool released) {
    const bool swallowed = deliver(virtualKey, released, false, 0);
    if (nesting_ == 0) {
        loop_.runUntilIdle();
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
        if (const auto key = keyForCharacter(static_cast<unsigned char>(c))) {
            typeShifted(*key, false, [this](int code, bool released) { userKey(code, released); });
        }
    }
}

SendOutcome FakeKeyboard::typeKeys(std::span<const KeyStroke> strokes, Wait wait) {
    const std::string keys = testing::keysText(strokes);
    sent.push_back(keys + (wait == Wait::Yes ? " (waits)" : ""));
    injectionsInsideHook += hookDepth_ > 0 ? 1 : 0;
    // Like the real injector, an empty send injects nothing: not even the
    // release of a modifier the user holds.
    const SendOutcome outcome = strokes.empty()                   ? SendOutcome::AllSent
                                : blockInjection || !acceptsInput ? SendOutcome::Blocked
                                                                  : injectAll(strokes);
    if (afterSend) {
        afterSend(keys);
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
            typeShifted(*key, down(vk::Shift), inject);
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
            arrived(character);
        }
    }
    --nesting_;
    return SendOutcome::AllSent;
}

void FakeKeyboard::whenKeysArrive(std::function<void()> then) {
    loop_.post(std::move(then));
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
                key.foreign ? ForeignReplayMarker : ReplayMarker, key.scanCode, key.extended);
    }
    --nesting_;
    return take;
}

}  // namespace quorvel
