#include "engine/macro_expander.h"

#include <algorithm>
#include <cstddef>

namespace quorvel {

namespace {

// A clipboard macro whose value brings itself back grows the text by the
// clipboard's size on every pass; past this size we stop as at the count limit.
// It also bounds the work: every pass moves the text behind the macro.
constexpr std::size_t MaxExpandedSize = std::size_t{4} << 20;

constexpr std::size_t npos = std::string::npos;

// The macro names are plain ASCII, so comparing the name byte by byte with
// only A-Z lower-cased is enough: no byte of a longer character is ASCII.
bool startsWithLowered(std::string_view name, std::string_view lowerWord) {
    if (name.size() < lowerWord.size()) {
        return false;
    }
    for (std::size_t i = 0; i < lowerWord.size(); ++i) {
        const char c = name[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c) != lowerWord[i]) {
            return false;
        }
    }
    return true;
}

bool equalsLowered(std::string_view name, std::string_view lowerWord) {
    return name.size() == lowerWord.size() && startsWithLowered(name, lowerWord);
}

std::string longDate(const DateTime& now, const Locale& locale) {
    std::string year = std::to_string(now.year);
    if (now.year >= 0 && year.size() < 4) {
        year.insert(0, 4 - year.size(), '0');
    }
    return locale.monthName(now.month) + " " + std::to_string(now.day) + ", " + year;
}

// Known names give their value; any other name stays in the text without its
// markers. Nothing when the clipboard could not be read.
std::optional<std::string> valueOf(std::string_view name, const DateTime& now,
                                   const std::function<std::optional<std::string>()>& readClipboard,
                                   const Locale& locale) {
    if (equalsLowered(name, "now")) {
        return locale.shortDate(now) + " " + locale.longTime(now);
    }
    if (equalsLowered(name, "date")) {
        return locale.shortDate(now);
    }
    if (equalsLowered(name, "longdate")) {
        return longDate(now, locale);
    }
    if (equalsLowered(name, "time")) {
        return locale.longTime(now);
    }
    if (equalsLowered(name, "clipboard text")) {
        return readClipboard ? readClipboard() : std::string{};
    }
    return std::string(name);
}

}  // namespace

MacroExpansion expandMacros(std::string_view input, const DateTime& now,
                            const std::function<std::optional<std::string>()>& readClipboard,
                            const Locale& locale) {
    std::string text(input);
    // Each pass looks for the first marker from the start again. Nothing in front
    // of the last one found can start a marker, except its last character, which
    // may pair with the value put behind it: the search starts there.
    std::size_t searchFrom = 0;
    for (int expanded = 0;;) {
        const std::size_t open = text.find("%(", searchFrom);
        if (open == npos) {
            return {MacroExpansion::Kind::Text, std::move(text)};
        }
        const std::size_t close = text.find(")%", open + 2);
        if (close == npos) {
            return {MacroExpansion::Kind::Unclosed, {}};
        }
        const std::string_view name = std::string_view(text).substr(open + 2, close - open - 2);
        if (startsWithLowered(name, "run=")) {
            return {MacroExpansion::Kind::Launch, std::string(name.substr(4))};
        }
        const std::optional<std::string> found = valueOf(name, now, readClipboard, locale);
        if (!found) {
            return {MacroExpansion::Kind::ClipboardUnreadable, {}};
        }
        const std::string& value = *found;
        const std::size_t grownSize = text.size() - (close + 2 - open) + value.size();
        if (grownSize > text.size() && grownSize > MaxExpandedSize) {
            return {MacroExpansion::Kind::Text, std::move(text)};
        }
        text.replace(open, close + 2 - open, value);
        searchFrom = open == 0 ? 0 : open - 1;
        if (++expanded >= MaxMacroExpansions) {
            return {MacroExpansion::Kind::Text, std::move(text)};
        }
    }
}

}  // namespace quorvel
