#include "tests/doubles/fake_clipboard.h"

#include <algorithm>

namespace quorvel {

std::optional<std::string> FakeClipboard::getText() {
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

bool FakeClipboard::clear() {
    if (locked) {
        return false;
    }
    contents_.formats.clear();
    wrote(false);
    return true;
}

bool FakeClipboard::setText(std::string_view text) {
    if (locked) {
        return false;
    }
    putFormat(TextFormat, std::vector<std::uint8_t>(text.begin(), text.end()));
    return true;
}

std::optional<ClipboardSnapshot> FakeClipboard::snapshot() {
    if (locked || (takenInBetween > 0 && takenInBetween-- > 0)) {
        return std::nullopt;
    }
    return contents_;
}

bool FakeClipboard::setPasteText(std::string_view text) {
    if (locked || (takenInBetween > 0 && takenInBetween-- > 0)) {
        return false;
    }
    contents_.formats = {{TextFormat, std::vector<std::uint8_t>(text.begin(), text.end())}};
    wrote(true);
    return true;
}

bool FakeClipboard::available() {
    if (locked && clock_ != nullptr) {
        clock_->advanceMilliseconds(HeldCheckMilliseconds);
    }
    return !locked;
}

bool FakeClipboard::restore(const ClipboardSnapshot& snapshot) {
    if (locked) {
        return false;
    }
    contents_ = snapshot;
    wrote(!snapshot.formats.empty());
    return true;
}

void FakeClipboard::putFormat(std::uint32_t id, std::vector<std::uint8_t> bytes) {
    auto& formats = contents_.formats;
    formats.erase(std::remove_if(formats.begin(), formats.end(),
                                 [id](const auto& format) { return format.id == id; }),
                  formats.end());
    formats.push_back({id, std::move(bytes)});
    wrote(false);
}

void FakeClipboard::wrote(bool marked) {
    ++writes;
    markedWrites += marked ? 1 : 0;
    if (afterWrite) {
        afterWrite();
    }
}

}  // namespace quorvel
