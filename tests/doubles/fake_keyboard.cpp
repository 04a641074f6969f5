#include "tests/doubles/fake_keyboard.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "engine/send_keys_notation.h"
#include "tests/doubles/fake_clipboard.h"
#include "tests/doubles/fake_event_pump.h"
#include "text/utf8.h"

namespace quorvel {

namespace {

constexpr int VkShift = 0x10, VkControl = 0x11, VkMenu = 0x12;
constexpr int VkLShift = 0xA0, VkRShift = 0xA1, VkLControl = 0xA2, VkRControl = 0xA3;
constexpr int VkLMenu = 0xA4, VkRMenu = 0xA5, VkLWin = 0x5B, VkRWin = 0x5C, VkPacket = 231;

bool isExtended(int vk) {
    return vk == VkRControl || vk == VkRMenu || (vk >= 33 && vk <= 40) || vk == 45 || vk == 46 ||
           (vk >= 91 && vk <= 93) || vk == 111 || vk == 144;
}

// US layout: the key and whether Shift is needed for a character.
std::optional<std::pair<int, bool>> keyForCharacter(char32_t c) {
    if (c >= 'a' && c <= 'z') {
        return std::pair{c - 'a' + 'A', false};
    }
    if (c >= 'A' && c <= 'Z') {
        return std::pair{static_cast<int>(c), true};
    }
    if (c >= '0' && c <= '9') {
        return std::pair{static_cast<int>(c), false};
    }
    static constexpr std::pair<char, int> plain[] = {
        {' ', 32},   {'\t', 9},   {'\r', 13},   {'\n', 13},  {';', 0xBA},
        {'=', 0xBB}, {',', 0xBC}, {'-', 0xBD},  {'.', 0xBE}, {'/', 0xBF},
        {'`', 0xC0}, {'[', 0xDB}, {'\\', 0xDC}, {']', 0xDD}, {'\'', 0xDE}};
    for (const auto& [character, vk] : plain) {
        if (c == static_cast<char32_t>(character)) {
            return std::pair{vk, false};
        }
    }
    static constexpr std::pair<char, int> shifted[] = {
        {':', 0xBA}, {'+', 0xBB}, {'<', 0xBC}, {'_', 0xBD}, {'>', 0xBE}, {'?', 0xBF}, {'~', 0xC0},
        {'{', 0xDB}, {'|', 0xDC}, {'}', 0xDD}, {'"', 0xDE}, {'!', '1'},  {'@', '2'},  {'#', '3'},
        {'$', '4'},  {'%', '5'},  {'^', '6'},  {'&', '7'},  {'*', '8'},  {'(', '9'},  {')', '0'}};
    for (const auto& [character, vk] : shifted) {
        if (c == static_cast<char32_t>(character)) {
            return std::pair{vk, true};
        }
    }
    return std::nullopt;
}

bool isLetterOrDigit(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::optional<unsigned char> characterForKey(int vk, bool shift) {
    for (char32_t c = 1; c < 128; ++c) {
        const auto key = keyForCharacter(c);
        if (c != '\n' && key && key->first == vk && key->second == shift && vk != 13) {
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

bool anyDown(const std::array<bool, 256>& keys, int vk) {
    if (vk == VkShift) {
        return keys[VkLShift] || keys[VkRShift];
    }
    if (vk == VkControl) {
        return keys[VkLControl] || keys[VkRControl];
    }
    if (vk == VkMenu) {
        return keys[VkLMenu] || keys[VkRMenu];
    }
    return vk >= 0 && vk < 256 && keys[static_cast<std::size_t>(vk)];
}

}  // namespace

bool FakeKeyboard::down(int vk) const {
    return anyDown(down_, vk);
}

bool FakeKeyboard::asyncDown(int vk) const {
    return anyDown(asyncDown_, vk);
}

std::uint16_t FakeKeyboard::GetAsyncKeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255) {
        return 0;
    }
    const auto index = static_cast<std::size_t>(virtualKey);
    const std::uint16_t state = static_cast<std::uint16_t>((asyncDown(virtualKey) ? 0x8000 : 0) |
                                                           (pressedSinceQuery_[index] ? 1 : 0));
    pressedSinceQuery_[index] = false;
    return state;
}

bool FakeKeyboard::deliver(int vk, bool released, bool injected, std::uintptr_t extraInfo,
                           std::uint32_t scanCode) {
    KeyEventRecord event;
    event.vkCode = static_cast<std::uint32_t>(vk);
    event.scanCode = scanCode;
    event.flags = (isExtended(vk) ? key_flags::Extended : 0) |
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
    // A lone tap of Alt opens the target's menu bar, of a Windows key the Start menu.
    if (!released) {
        loneTapKey_ = vk == VkLMenu || vk == VkRMenu || vk == VkLWin || vk == VkRWin ? vk : 0;
    } else if (vk == loneTapKey_) {
        ++menusOpened;
        loneTapKey_ = 0;
    }
    const auto index = static_cast<std::size_t>(vk & 0xFF);
    down_[index] = !released;
    asyncPending_.emplace_back(index, !released);
    while (asyncPending_.size() > keyStateLag) {
        const auto [key, isDown] = asyncPending_.front();
        asyncPending_.pop_front();
        asyncDown_[key] = isDown;
        pressedSinceQuery_[key] = pressedSinceQuery_[key] || isDown;
    }
    if (!released && vk != VkPacket) {
        applyToTarget(vk);
    }
    return false;
}

void FakeKeyboard::applyToTarget(int vk) {
    if (down(VkMenu)) {
        return;
    }
    if (down(VkControl)) {
        if (vk == 'V') {
            targetText += clipboard_.getText().value_or("");
        }
        return;
    }
    switch (vk) {
        case 8:
            if (!targetText.empty()) {
                targetText.pop_back();
            }
            return;
        case 13:
            targetText += "\r\n";
            return;
        default:
            break;
    }
    if (const auto character = characterForKey(vk, down(VkShift))) {
        targetText += static_cast<char>(*character);
    }
}

void FakeKeyboard::receiveUnit(char16_t unit) {
    if (down(VkControl) || down(VkMenu)) {
        return;
    }
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (pendingHigh_ != 0 && low) {
        utf8::append(targetText, 0x10000 + ((pendingHigh_ - 0xD800) << 10) + (unit - 0xDC00));
        ++surrogatePairs;
        pendingHigh_ = 0;
        return;
    }
    // Half a pair on its own is no character.
    if (pendingHigh_ != 0 || low) {
        utf8::append(targetText, utf8::ReplacementCharacter);
    }
    pendingHigh_ = high ? unit : 0;
    if (!high && !low) {
        utf8::append(targetText, unit);
    }
}

bool FakeKeyboard::press(int virtualKey) {
    const bool swallowed = deliver(virtualKey, false, false, 0);
    if (nesting_ == 0) {
        pump_.runUntilIdle();
    }
    return swallowed;
}

bool FakeKeyboard::release(int virtualKey) {
    const bool swallowed = deliver(virtualKey, true, false, 0);
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
            press(VkLShift);
        }
        tap(key->first);
        if (key->second) {
            release(VkLShift);
        }
    }
}

bool FakeKeyboard::injectForeign(int virtualKey, bool released) {
    return deliver(virtualKey, released, true, 0);
}

bool FakeKeyboard::injectOwn(int virtualKey, bool released) {
    return deliver(virtualKey, released, true, OwnInjectionMarker);
}

SendOutcome FakeKeyboard::SendKeys(std::string_view notation, Wait wait) {
    sent.push_back({std::string(notation), wait});
    injectionsInsideHook += hookDepth_ > 0 ? 1 : 0;
    const auto strokes = parseSendKeys(notation);
    if (!strokes) {
        return SendOutcome::Rejected;
    }
    if (blockInjection || !acceptsInput) {
        return SendOutcome::Blocked;
    }
    // Keys typed by the user in between are not mixed into one send: the events
    // of one call enter the input stream together.
    ++nesting_;
    auto inject = [&](int vk, bool released) { deliver(vk, released, true, OwnInjectionMarker); };
    for (const int vk :
         {VkLShift, VkRShift, VkLControl, VkRControl, VkLMenu, VkRMenu, VkLWin, VkRWin}) {
        if (down(vk)) {
            inject(vk, true);
        }
    }
    for (std::size_t index = 0; index < strokes->size(); ++index) {
        if (index > 0 && betweenStrokes) {
            betweenStrokes(index);
        }
        const KeyStroke& stroke = (*strokes)[index];
        const std::pair<bool, int> modifiers[] = {
            {stroke.shift, VkLShift}, {stroke.ctrl, VkLControl}, {stroke.alt, VkLMenu}};
        for (const auto& [held, vk] : modifiers) {
            if (held) {
                inject(vk, false);
            }
        }
        if (stroke.kind == KeyStroke::Kind::VirtualKey) {
            inject(stroke.virtualKey, false);
            inject(stroke.virtualKey, true);
        } else {
            const auto key = keyForCharacter(stroke.character);
            const bool letterOrDigit = isLetterOrDigit(stroke.character);
            if (key && (letterOrDigit || down(VkControl))) {
                // Letters and digits go as their keys, so Ctrl+V pastes.
                const bool needShift = key->second && !stroke.shift;
                if (needShift) {
                    inject(VkLShift, false);
                }
                inject(key->first, false);
                inject(key->first, true);
                if (needShift) {
                    inject(VkLShift, true);
                }
            } else {
                // As itself, one packet per UTF-16 unit: a surrogate pair beyond U+FFFF.
                std::string character;
                utf8::append(character, stroke.character);
                for (const char16_t unit : utf8::toUtf16(character)) {
                    deliver(VkPacket, false, true, OwnInjectionMarker, unit);
                    receiveUnit(unit);
                    deliver(VkPacket, true, true, OwnInjectionMarker, unit);
                }
            }
        }
        for (const auto& [held, vk] : modifiers) {
            if (held) {
                inject(vk, true);
            }
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
