#include "engine/key_hold.h"

#include <algorithm>
#include <span>
#include <utility>

#include "engine/key_filter.h"
#include "platform/virtual_keys.h"

namespace quorvel {

namespace {

int modifierIndex(std::uint32_t virtualKey) {
    for (std::size_t i = 0; i < ModifierKeys.size(); ++i) {
        if (ModifierKeys[i].virtualKey == virtualKey) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Keys whose lone tap opens a menu: Alt the target's menu bar, the Windows keys
// the Start menu.
constexpr std::array<std::uint16_t, 4> MenuKeys = {vk::LAlt, vk::RAlt, vk::LWin, vk::RWin};

bool isReplayed(const KeyEventRecord& event) {
    return event.dwExtraInfo == ReplayMarker || event.dwExtraInfo == ForeignReplayMarker;
}

// Whether the key, once replayed, could complete a trigger.
bool mayLaunch(const HeldKey& key) {
    const std::uint32_t flags =
        (key.extended ? key_flags::Extended : 0) | (key.released ? key_flags::Released : 0);
    return !key.foreign && reachesMatcher(flags, key.virtualKey) && canLaunch(key.virtualKey);
}

}  // namespace

KeyHold::KeyHold(KeyInjector& injector, KeyStateQuery& keyState, EventLoop& events, Clock& clock)
    : injector_(injector), keyState_(keyState), events_(events), clock_(clock), ring_(Capacity) {
    batch_.reserve(Capacity);
    refusedReleases_.reserve(downForSystem_.size());
    injection_.reserve(Capacity + downForSystem_.size());
}

bool KeyHold::hold(const KeyEventRecord& event) {
    if (event.dwExtraInfo == OwnInjectionMarker) {
        noteReachedSystem(event.vkCode, (event.flags & key_flags::Released) != 0);
        noteSendProgress();
        return false;
    }
    if (!isReplayed(event)) {
        if (holding_ && !passThrough_ && (size_ >= MaxHeldEvents || holdTimeUp())) {
            passBound();
        }
        // Once keys are held, every later one queues behind them until the
        // queue is empty, so the order holds.
        const bool held = size_ > 0 || replaying_ || (holding_ && !passThrough_);
        if (held && size_ < Capacity) {
            const bool released = (event.flags & key_flags::Released) != 0;
            ring_[(head_ + size_) % Capacity] =
                HeldKey{static_cast<std::uint16_t>(event.vkCode),
                        static_cast<std::uint16_t>(event.scanCode),
                        (event.flags & key_flags::Extended) != 0, released,
                        (event.flags & key_flags::Injected) != 0};
            ++size_;
            pressesHeld_ += released ? 0 : 1;
            return true;
        }
    }
    noteDelivered(event);
    // The user is back at a keyboard whose keys pass: a refused release may go in
    // now. Not before this key, which would have to be held, and the platform may
    // still refuse it.
    if (!isReplayed(event) && !refusedReleases_.empty() && !retryPosted_) {
        retryPosted_ = true;
        events_.post([this] {
            retryPosted_ = false;
            retryRefusedReleases();
        });
    }
    return false;
}

void KeyHold::noteDelivered(const KeyEventRecord& event) {
    const bool released = (event.flags & key_flags::Released) != 0;
    noteReachedSystem(event.vkCode, released);
    const bool foreign =
        event.dwExtraInfo == ForeignReplayMarker ||
        (event.dwExtraInfo != ReplayMarker && (event.flags & key_flags::Injected) != 0);
    noteUserModifier(event.vkCode, released, foreign, static_cast<std::uint16_t>(event.scanCode));
}

void KeyHold::noteUserModifier(std::uint32_t virtualKey, bool released, bool foreign,
                               std::uint16_t scanCode) {
    const int index = modifierIndex(virtualKey);
    if (index >= 0) {
        modifiers_[static_cast<std::size_t>(index)] = {!released, foreign, scanCode};
    }
}

void KeyHold::noteReachedSystem(std::uint32_t virtualKey, bool released) {
    downForSystem_[virtualKey & 0xFF] = !released;
    // The system has the key as the user left it: a release still waiting would
    // now let go of a key the user holds.
    std::erase_if(refusedReleases_,
                  [virtualKey](const HeldKey& key) { return key.virtualKey == virtualKey; });
}

void KeyHold::noteRefused(const HeldKey& key) {
    noteUserModifier(key.virtualKey, key.released, key.foreign, key.scanCode);
    const auto waiting =
        std::find_if(refusedReleases_.begin(), refusedReleases_.end(),
                     [&key](const HeldKey& other) { return other.virtualKey == key.virtualKey; });
    if (!key.released) {
        // Pressed again: the key is down for the user as for the system.
        if (waiting != refusedReleases_.end()) {
            refusedReleases_.erase(waiting);
        }
        ++eventsRefused_;
    } else if (key.virtualKey != vk::Packet && downForSystem_[key.virtualKey & 0xFF]) {
        if (waiting == refusedReleases_.end()) {
            refusedReleases_.push_back(key);
        }
    } else {
        ++eventsRefused_;
    }
}

bool KeyHold::menuKeyDown() const {
    return std::any_of(MenuKeys.begin(), MenuKeys.end(),
                       [this](std::uint16_t key) { return downForSystem_[key]; });
}

void KeyHold::begin() {
    holding_ = true;
    passThrough_ = false;
    lastSendProgress_ = clock_.milliseconds();
}

void KeyHold::maskMenuKeys() {
    // Read now, on the window thread: the key state has taken every event the
    // hook passed, and none of the send's own releases yet (afterwards it shows
    // them, and every modifier up).
    for (std::size_t i = 0; i < ModifierKeys.size(); ++i) {
        downBeforeSend_[i] = keyState_.isDown(ModifierKeys[i].virtualKey);
    }
    if (menuKeyDown()) {
        batch_ = {HeldKey{vk::Unassigned, 0, false, false, false},
                  HeldKey{vk::Unassigned, 0, false, true, false}};
        inject(batch_);
    }
}

void KeyHold::passBound() {
    passThrough_ = true;
    // Not from inside the hook's callback: the platform drops a hook that takes too long.
    events_.post([this] { replayAtOnce(); });
}

bool KeyHold::holdTimeUp() const {
    return clock_.milliseconds() - lastSendProgress_ >= MaxHoldMilliseconds;
}

void KeyHold::noteSendProgress() {
    if (holding_ && !passThrough_) {
        lastSendProgress_ = clock_.milliseconds();
    }
}

void KeyHold::enforceTimeBound() {
    if (holding_ && !passThrough_ && holdTimeUp()) {
        passThrough_ = true;
        replayAtOnce();
    }
}

void KeyHold::replayAtOnce() {
    // A replay already under way delivers them in its turn.
    if (passThrough_ && !replaying_) {
        replaying_ = true;
        replayNextBatch();
    }
}

void KeyHold::retryRefusedReleases() {
    if (refusedReleases_.empty() || holding_ || replaying_) {
        return;
    }
    // Keys typed while these go in queue behind them.
    replaying_ = true;
    inject({});
    replayNextBatch();
}

void KeyHold::replayAfterSend(std::function<bool()> sendPending, std::function<void()> done) {
    holding_ = false;
    passThrough_ = false;
    sendPending_ = std::move(sendPending);
    replayDone_ = std::move(done);
    pressModifiersAgain();
    // A replay under way (past a bound) takes the send's end with it.
    if (!replaying_) {
        replaying_ = true;
        replayNextBatch();
    }
}

void KeyHold::pressModifiersAgain() {
    batch_.clear();
    for (std::size_t i = 0; i < ModifierKeys.size(); ++i) {
        const DeliveredModifier& modifier = modifiers_[i];
        // Down by the hook's count but up for the system: its release went where
        // the hook could not see it. Pressed again, it would turn the user's next
        // letters into shortcuts (Win+E, Alt+F).
        if (!modifier.down || !downBeforeSend_[i]) {
            continue;
        }
        // Released meanwhile: its release is held and goes out in its turn. A press
        // just before it would show the target a lone tap, and a lone Alt opens
        // the menu bar.
        bool releasedMeanwhile = false;
        for (std::size_t held = 0; held < size_; ++held) {
            if (at(held).virtualKey == ModifierKeys[i].virtualKey) {
                releasedMeanwhile = at(held).released;
                break;
            }
        }
        if (!releasedMeanwhile) {
            batch_.push_back(HeldKey{ModifierKeys[i].virtualKey, modifier.scanCode,
                                     ModifierKeys[i].extended, false, modifier.foreign});
        }
    }
    // When the user lets go of an Alt or a Windows key pressed again here, with
    // nothing typed in between, the target would take it for a lone tap.
    const bool menuKeyPressed = std::any_of(batch_.begin(), batch_.end(), [](const HeldKey& key) {
        return std::find(MenuKeys.begin(), MenuKeys.end(), key.virtualKey) != MenuKeys.end();
    });
    if (menuKeyPressed) {
        batch_.push_back(HeldKey{vk::Unassigned, 0, false, false, false});
        batch_.push_back(HeldKey{vk::Unassigned, 0, false, true, false});
    }
    if (!batch_.empty()) {
        inject(batch_);
    }
}

void KeyHold::reset() {
    for (std::size_t key = 0; key < downForSystem_.size(); ++key) {
        downForSystem_[key] = keyState_.isDown(static_cast<int>(key));
    }
    for (std::size_t i = 0; i < ModifierKeys.size(); ++i) {
        modifiers_[i] = {downForSystem_[ModifierKeys[i].virtualKey], false, 0};
    }
    // Let go meanwhile: nothing left to release.
    std::erase_if(refusedReleases_,
                  [this](const HeldKey& key) { return !downForSystem_[key.virtualKey & 0xFF]; });
}

void KeyHold::replayNextBatch() {
    if (size_ == 0 || (sendPending_ && sendPending_())) {
        replaying_ = false;
        sendPending_ = nullptr;
        if (auto done = std::exchange(replayDone_, nullptr)) {
            done();
        }
        return;
    }
    // Up to a key that could complete a trigger: the keys behind it must wait
    // for the send it may start, so they are not injected yet.
    batch_.clear();
    while (batch_.size() < size_) {
        batch_.push_back(at(batch_.size()));
        if (sendPending_ && mayLaunch(batch_.back())) {
            break;
        }
    }
    const std::size_t count = batch_.size();
    inject(batch_);
    // Keys typed while these are on their way are added behind them.
    head_ = (head_ + count) % Capacity;
    size_ -= count;
    injector_.whenKeysArrive([this] { replayNextBatch(); });
}

void KeyHold::inject(std::span<const HeldKey> batch) {
    // Releases refused earlier go first: every key of the batch came after them.
    injection_.assign(refusedReleases_.begin(), refusedReleases_.end());
    injection_.insert(injection_.end(), batch.begin(), batch.end());
    const std::span<const HeldKey> keys(injection_);
    std::size_t taken = std::min(injector_.replayKeys(keys), keys.size());
    if (taken < keys.size()) {
        taken += std::min(injector_.replayKeys(keys.subspan(taken)), keys.size() - taken);
    }
    // What the platform refuses twice it will not take now (the focus has moved to
    // a window closed to our input): held on, it would block the keyboard. A press
    // is dropped; the release of a key the system has down is kept for later.
    for (const HeldKey& key : keys.subspan(taken)) {
        noteRefused(key);
    }
}

}  // namespace quorvel
