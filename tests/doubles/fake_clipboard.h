#pragma once
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

    std::optional<std::string> getText() override;
    bool clear() override;
    bool setText(std::string_view text) override;
    std::optional<ClipboardSnapshot> snapshot() override;
    bool setPasteText(std::string_view text) override;
    bool restore(const ClipboardSnapshot& snapshot) override;
    bool available() override;
    std::uint32_t sequenceNumber() override { return static_cast<std::uint32_t>(writes); }

    // Puts a non-text format on the clipboard, as a picture would be.
    void putFormat(std::uint32_t id, std::vector<std::uint8_t> bytes);
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
    void wrote(bool marked);

    FakeClock* clock_;
    ClipboardSnapshot contents_;
};

}  // namespace quorvel
