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
    ++writes;
    contents_.formats.clear();
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
    if (locked) {
        return std::nullopt;
    }
    return contents_;
}

bool FakeClipboard::restore(const ClipboardSnapshot& snapshot) {
    if (locked) {
        return false;
    }
    ++writes;
    contents_ = snapshot;
    return true;
}

void FakeClipboard::putFormat(std::uint32_t id, std::vector<std::uint8_t> bytes) {
    ++writes;
    auto& formats = contents_.formats;
    formats.erase(std::remove_if(formats.begin(), formats.end(),
                                 [id](const auto& format) { return format.id == id; }),
                  formats.end());
    formats.push_back({id, std::move(bytes)});
}

}  // namespace quorvel
