#include "engine/macro_expander.h"

#include <cstddef>

#include "engine/send_keys_notation.h"
#include "text/ascii_case.h"

namespace quorvel {

namespace {

constexpr std::size_t npos = std::string::npos;

bool startsWithLowered(std::string_view name, std::string_view lowerWord) {
    return equalIgnoringAsciiCase(name.substr(0, lowerWord.size()), lowerWord);
}

bool equalsLowered(std::string_view name, std::string_view lowerWord) {
    return equalIgnoringAsciiCase(name, lowerWord);
}

std::string longDate(const DateTime& now, const Locale& locale) {
    std::string year = std::to_string(now.year);
    if (now.year >= 0 && year.size() < 4) {
        year.insert(0, 4 - year.size(), '0');
    }
    return locale.monthName(now.month) + " " + std::to_string(now.day) + ", " + year;
}

bool isClipboardMacro(std::string_view name) {
    return equalsLowered(name, "clipboard text");
}

// Known names give their value; any other name stays in the text without its
// markers. The value goes back into the text, to be searched again.
std::string valueOf(std::string_view name, const DateTime& now, const Locale& locale) {
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
    return std::string(name);
}

// The shortcut's own text as notation, without its line feeds.
bool addOwnText(KeyStrokeBuilder& builder, std::string_view own) {
    std::string notation;
    notation.reserve(own.size());
    for (const char c : own) {
        if (c != '\n') {
            notation += c;
        }
    }
    return builder.addNotation(notation);
}

}  // namespace

MacroExpansion expandMacros(std::string_view input, const DateTime& now,
                            const std::function<std::optional<std::string>()>& readClipboard,
                            const Locale& locale) {
    MacroExpansion result;
    std::string text(input);
    // `text` up to `done` has gone into the result, and is never searched
    // again: it ends with clipboard text, which must not start or end a marker.
    std::size_t done = 0;
    // Each pass looks for the first marker from the start again. Nothing in front
    // of the last one found can start a marker, except its last character, which
    // may pair with the value put behind it: the search starts there.
    std::size_t searchFrom = 0;
    for (int expanded = 0; expanded < MaxMacroExpansions; ++expanded) {
        const std::size_t open = text.find("%(", searchFrom);
        if (open == npos) {
            break;
        }
        const std::size_t close = text.find(")%", open + 2);
        if (close == npos) {
            return {MacroExpansion::Kind::Unclosed, {}, {}};
        }
        const std::string_view name = std::string_view(text).substr(open + 2, close - open - 2);
        if (startsWithLowered(name, "run=")) {
            return {MacroExpansion::Kind::Launch, std::string(name.substr(4)), {}};
        }
        if (!isClipboardMacro(name)) {
            text.replace(open, close + 2 - open, valueOf(name, now, locale));
            searchFrom = open > done ? open - 1 : done;
            continue;
        }
        std::optional<std::string> clipboard = readClipboard ? readClipboard() : std::string{};
        if (!clipboard) {
            return {MacroExpansion::Kind::ClipboardUnreadable, {}, {}};
        }
        if (clipboard->empty()) {
            // Nothing of the clipboard's to keep apart: the text around the
            // marker closes up, as around any other empty value.
            text.erase(open, close + 2 - open);
            searchFrom = open > done ? open - 1 : done;
            continue;
        }
        result.value.append(text, done, open - done);
        std::vector<TextSpan>& spans = result.clipboardSpans;
        if (spans.empty() || spans.back().end != result.value.size()) {
            spans.push_back({result.value.size(), result.value.size()});
        }
        result.value += *clipboard;
        spans.back().end = result.value.size();
        done = close + 2;
        searchFrom = done;
    }
    result.value.append(text, done);
    return result;
}

std::optional<std::vector<KeyStroke>> keystrokesOf(const MacroExpansion& expansion) {
    const std::string_view text = expansion.value;
    KeyStrokeBuilder builder;
    std::size_t at = 0;
    for (const TextSpan& span : expansion.clipboardSpans) {
        if (!addOwnText(builder, text.substr(at, span.begin - at))) {
            return std::nullopt;
        }
        builder.addText(text.substr(span.begin, span.end - span.begin));
        at = span.end;
    }
    addOwnText(builder, text.substr(at));
    return builder.finish();
}

}  // namespace quorvel
