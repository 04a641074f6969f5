#pragma once
#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "platform/clipboard.h"
#include "tests/doubles/fake_clock.h"

namespace quorvel {

// A clipboard of numbered formats; format 13 is the text, as Unicode text is on
// Windows, held here as UTF-8.
class FakeClipboard final : public Clipboard {
  public:
    static constexpr std::uint32_t TextFormat = 13;
    // How long a check of a held clipboard takes, as the real check tries for a
    // moment before it gives up: time passes while a paste waits.
    static constexpr std::uint64_t HeldCheckMilliseconds = 50;

    explicit FakeClipboard(FakeClock* clock = nullptr) : clock_(clock) {}

    std::optional<std::string> getText() override {
        if (locked) {
            return std::nullopt;
        }
        for (const auto& format : contents_.formats) {
            if (format.id == TextFormat) {
                return std::string(format.bytes.begin(), format.bytes.end());
            }
        }
        return std::string();
    }
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
    std::optional<ClipboardSnapshot> snapshot() override {
        if (locked || (takenInBetween > 0 && takenInBetween-- > 0)) {
            return std::nullopt;
        }
        return contents_;
    }
    bool setPasteText(std::string_view text) override {
        if (locked || (takenInBetween > 0 && takenInBetween-- > 0)) {
            return false;
        }
        contents_.formats = {{TextFormat, std::vector<std::uint8_t>(text.begin(), text.end())}};
        wrote(true);
        return true;
    }
    bool restore(const ClipboardSnapshot& snapshot) override {
        if (locked) {
            return false;
        }
        contents_ = snapshot;
        wrote(!snapshot.formats.empty());
        return true;
    }
    bool available() override {
        if (locked && clock_ != nullptr) {
            clock_->advanceMilliseconds(HeldCheckMilliseconds);
        }
        return !locked;
    }
    std::uint32_t sequenceNumber() override { return static_cast<std::uint32_t>(writes); }

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
    int writes = 0;
    // Of those, the writes that carried the marks that keep monitors away.
    int markedWrites = 0;
    // Runs after every write, as a clipboard monitor is told of each change.
    std::function<void()> afterWrite;

  private:
    void wrote(bool marked) {
        ++writes;
        markedWrites += marked ? 1 : 0;
        if (afterWrite) {
            afterWrite();
        }
    }

    FakeClock* clock_;
    ClipboardSnapshot contents_;
};

}  // namespace quorvel
