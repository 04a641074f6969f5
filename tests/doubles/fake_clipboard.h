#pragma once
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "platform/clipboard.h"
#include "tests/doubles/fake_clock.h"

namespace quorvel {

// A clipboard of numbered formats; format 13 is the text, as Unicode text is on
// Windows, held here as UTF-8. A paste's text is offered unrendered, as the real
// one is: a read before armPaste gets nothing and leaves it unread, a read after
// hands it over, and only a read by the target (a Ctrl+V) counts as the paste's.
class FakeClipboard final : public Clipboard {
  public:
    static constexpr std::uint32_t TextFormat = 13;
    // How long a check of a held clipboard takes, as the real check tries for a
    // moment before it gives up: time passes while a paste waits.
    static constexpr std::uint64_t HeldCheckMilliseconds = 50;

    explicit FakeClipboard(FakeClock* clock = nullptr) : clock_(clock) {}

    std::optional<std::string> getText() override { return read(false); }
    bool clear() override {
        if (locked) {
            return false;
        }
        contents_.formats.clear();
        wrote(false);
        return true;
    }
    bool setText(std::string_view text) override {
        if (locked) {
            return false;
        }
        putFormat(TextFormat, std::vector<std::uint8_t>(text.begin(), text.end()));
        return true;
    }
    SnapshotResult snapshot(const SnapshotLimits& limits) override {
        if (locked || (takenInBetween > 0 && takenInBetween-- > 0)) {
            return {};
        }
        std::size_t bytes = 0;
        for (const auto& format : contents_.formats) {
            bytes += format.bytes.size();
        }
        if (clock_ != nullptr) {
            clock_->advanceMilliseconds(renderMilliseconds);
        }
        if (bytes > limits.maxBytes || renderMilliseconds > limits.maxMilliseconds) {
            return {SnapshotResult::Outcome::TooLarge, {}};
        }
        SnapshotResult taken{SnapshotResult::Outcome::Taken, contents_};
        if (afterSnapshot) {
            afterSnapshot();
        }
        return taken;
    }
    bool offerPaste(std::string_view text) override {
        if (locked || (takenInBetween > 0 && takenInBetween-- > 0)) {
            return false;
        }
        contents_.formats.clear();
        offered_ = std::string(text);
        armed_ = false;
        read_ = false;
        wrote(true);
        pasteWrite_ = writes;
        return true;
    }
    void armPaste() override { armed_ = true; }
    bool pasteRead() override { return read_; }
    bool holdsPaste() override { return offered_ && writes == pasteWrite_; }
    RestoreOutcome restore(const ClipboardSnapshot& snapshot) override {
        if (locked) {
            return RestoreOutcome::Busy;
        }
        if (!holdsPaste()) {
            return RestoreOutcome::NotOurs;
        }
        contents_ = snapshot;
        wrote(!snapshot.formats.empty());
        return RestoreOutcome::Restored;
    }
    bool available() override {
        if (locked && clock_ != nullptr) {
            clock_->advanceMilliseconds(HeldCheckMilliseconds);
        }
        return !locked;
    }

    // The target's read for a Ctrl+V: at once, or with pasteReadsLate (for the
    // next Ctrl+V only) when the test calls readLatePaste, as a browser reads a
    // moment after the key.
    void paste(std::string& target) {
        if (std::exchange(pasteReadsLate, false)) {
            latePaste_ = &target;
        } else {
            target += read(true).value_or("");
        }
    }
    void readLatePaste() {
        if (latePaste_ != nullptr) {
            *latePaste_ += read(true).value_or("");
            latePaste_ = nullptr;
        }
    }

    // Puts a non-text format on the clipboard, as a picture would be.
    void putFormat(std::uint32_t id, std::vector<std::uint8_t> bytes) {
        auto& formats = contents_.formats;
        formats.erase(std::remove_if(formats.begin(), formats.end(),
                                     [id](const auto& format) { return format.id == id; }),
                      formats.end());
        formats.push_back({id, std::move(bytes)});
        wrote(false);
    }
    const ClipboardSnapshot& contents() const { return contents_; }

    // While true every operation fails, as when another program holds the clipboard open.
    bool locked = false;
    // The next snapshots and paste writes that fail although the clipboard looked
    // free: another program opened it in between.
    int takenInBetween = 0;
    // How long the programs that put the formats take to draw them for a snapshot.
    std::uint64_t renderMilliseconds = 0;
    bool pasteReadsLate = false;
    int writes = 0;
    // Of those, the writes that carried the marks that keep monitors away.
    int markedWrites = 0;
    // Runs after every write, as a clipboard monitor is told of each change.
    std::function<void()> afterWrite;
    std::function<void()> afterSnapshot;

  private:
    std::optional<std::string> read(bool byTarget) {
        if (locked) {
            return std::nullopt;
        }
        if (holdsPaste() && !rendered()) {
            if (!armed_) {
                return std::string();
            }
            contents_.formats = {{TextFormat, {offered_->begin(), offered_->end()}}};
            read_ = read_ || byTarget;
        }
        for (const auto& format : contents_.formats) {
            if (format.id == TextFormat) {
                return std::string(format.bytes.begin(), format.bytes.end());
            }
        }
        return std::string();
    }
    bool rendered() const { return !contents_.formats.empty(); }
    void wrote(bool marked) {
        ++writes;
        markedWrites += marked ? 1 : 0;
        if (afterWrite) {
            afterWrite();
        }
    }

    FakeClock* clock_;
    ClipboardSnapshot contents_;
    std::optional<std::string> offered_;
    int pasteWrite_ = -1;
    bool armed_ = false;
    bool read_ = false;
    std::string* latePaste_ = nullptr;
};

}  // namespace quorvel
