#include "engine/macro_expander.h"

#include <algorithm>
#include <cstddef>

#include "engine/send_keys_notation.h"
#include "text/ascii_case.h"
#include "text/utf8.h"

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

// Replaces bytes [begin, end) of `text` by `value`. The spans after them move
// with them and those across them lose the replaced part; a macro's value is a
// span of its own.
void replaceKeepingSpans(std::string& text, std::vector<TextSpan>& spans, std::size_t begin,
                         std::size_t end, std::string_view value, bool macroValue) {
    text.replace(begin, end - begin, value);
    const auto moved = [&](std::size_t at) { return at - (end - begin) + value.size(); };
    std::vector<TextSpan> kept;
    for (const TextSpan& span : spans) {
        if (span.end <= begin) {
            kept.push_back(span);
        } else if (span.begin >= end) {
            kept.push_back({moved(span.begin), moved(span.end)});
        } else {
            if (span.begin < begin) {
                kept.push_back({span.begin, begin});
            }
            if (span.end > end) {
                kept.push_back({begin + value.size(), moved(span.end)});
            }
        }
    }
    if (macroValue && !value.empty()) {
        kept.push_back({begin, begin + value.size()});
    }
    std::sort(kept.begin(), kept.end(),
              [](const TextSpan& a, const TextSpan& b) { return a.begin < b.begin; });
    spans.clear();
    for (const TextSpan& span : kept) {
        if (!spans.empty() && spans.back().end >= span.begin) {
            spans.back().end = std::max(spans.back().end, span.end);
        } else {
            spans.push_back(span);
        }
    }
}

// Moves the spans' parts before `to` out of `spans` into `out`, byte `from` of
// the text being byte `base` there, and drops what lies before `next`.
void moveSpansBefore(std::vector<TextSpan>& spans, std::size_t from, std::size_t to,
                     std::size_t next, std::size_t base, std::vector<TextSpan>& out) {
    std::vector<TextSpan> left;
    for (const TextSpan& span : spans) {
        if (span.begin < to) {
            out.push_back({base + span.begin - from, base + std::min(span.end, to) - from});
        }
        if (span.end > next) {
            left.push_back({std::max(span.begin, next), span.end});
        }
    }
    spans = std::move(left);
}

// The shortcut's own text as notation, without its line feeds; `keepCase` are
// spans of `own`.
bool addOwnText(KeyStrokeBuilder& builder, std::string_view own, std::size_t ownBegin,
                std::span<const TextSpan> keepCase) {
    std::string notation;
    notation.reserve(own.size());
    // Where each byte of `own` went in `notation`, when a span needs it.
    std::vector<std::size_t> at(keepCase.empty() ? 0 : own.size() + 1);
    for (std::size_t i = 0; i < own.size(); ++i) {
        if (!at.empty()) {
            at[i] = notation.size();
        }
        if (own[i] != '\n') {
            notation += own[i];
        }
    }
    if (!at.empty()) {
        at[own.size()] = notation.size();
    }
    std::vector<TextSpan> spans;
    for (const TextSpan& span : keepCase) {
        const std::size_t begin = std::clamp(span.begin, ownBegin, ownBegin + own.size());
        const std::size_t end = std::clamp(span.end, ownBegin, ownBegin + own.size());
        if (begin < end) {
            spans.push_back({at[begin - ownBegin], at[end - ownBegin]});
        }
    }
    return builder.addNotation(notation, spans);
}

// Values that cannot take part in a marker or a macro's name.
class DigitsOnlyLocale final : public Locale {
  public:
    std::string shortDate(const DateTime&) const override { return "0"; }
    std::string longTime(const DateTime&) const override { return "0"; }
    std::string monthName(int) const override { return "0"; }
};

}  // namespace

bool mayStartProgram(std::string_view text) {
    // The "%(" and the "run=" of the macro that runs may each be pieced together
    // as markers around them go, so only the expansion itself can tell. Its "="
    // and markers come from the text alone: the date and time values here are
    // digits, which join nothing, and the clipboard's text is never searched,
    // though an empty one closes the text up around its marker.
    if (text.find("%(") == npos || text.find('=') == npos) {
        return false;
    }
    const DigitsOnlyLocale digits;
    for (const char* clipboard : {"", "x"}) {
        const MacroExpansion expansion = expandMacros(
            text, DateTime{}, [clipboard] { return std::optional<std::string>(clipboard); },
            digits);
        if (expansion.kind == MacroExpansion::Kind::Launch) {
            return true;
        }
    }
    return false;
}

MacroExpansion expandMacros(std::string_view input, const DateTime& now,
                            const std::function<std::optional<std::string>()>& readClipboard,
                            const Locale& locale) {
    MacroExpansion result;
    std::string text(input);
    std::vector<TextSpan> values;  // of the macros, in `text`
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
            return {MacroExpansion::Kind::Unclosed, {}, {}, {}};
        }
        const std::string_view name = std::string_view(text).substr(open + 2, close - open - 2);
        if (startsWithLowered(name, "run=")) {
            return {MacroExpansion::Kind::Launch, std::string(name.substr(4)), {}, {}};
        }
        if (!isClipboardMacro(name)) {
            // An unknown name gives the shortcut's own characters back.
            const std::string value = valueOf(name, now, locale);
            const bool known = value != name;
            replaceKeepingSpans(text, values, open, close + 2, value, known);
            searchFrom = open > done ? open - 1 : done;
            continue;
        }
        std::optional<std::string> clipboard = readClipboard ? readClipboard() : std::string{};
        if (!clipboard) {
            return {MacroExpansion::Kind::ClipboardUnreadable, {}, {}, {}};
        }
        if (clipboard->empty()) {
            // Nothing of the clipboard's to keep apart: the text around the
            // marker closes up, as around any other empty value.
            replaceKeepingSpans(text, values, open, close + 2, {}, false);
            searchFrom = open > done ? open - 1 : done;
            continue;
        }
        moveSpansBefore(values, done, open, close + 2, result.value.size(), result.macroSpans);
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
    moveSpansBefore(values, done, text.size(), text.size(), result.value.size(), result.macroSpans);
    result.value.append(text, done);
    return result;
}

std::optional<std::string> programOf(std::string_view text, const DateTime& now,
                                     const Locale& locale) {
    // Without a marker nothing runs; anything else the expansion itself decides.
    if (text.find("%(") == npos) {
        return std::nullopt;
    }
    MacroExpansion expansion = expandMacros(
        text, now, [] { return std::optional<std::string>(std::string{}); }, locale);
    if (expansion.kind != MacroExpansion::Kind::Launch) {
        return std::nullopt;
    }
    return std::move(expansion.value);
}

std::optional<std::vector<KeyStroke>> keystrokesOf(const MacroExpansion& expansion,
                                                   TextCase textCase) {
    const std::string_view text = expansion.value;
    KeyStrokeBuilder builder(textCase);
    std::size_t at = 0;
    for (const TextSpan& span : expansion.clipboardSpans) {
        if (!addOwnText(builder, text.substr(at, span.begin - at), at, expansion.macroSpans)) {
            return std::nullopt;
        }
        builder.addText(text.substr(span.begin, span.end - span.begin));
        at = span.end;
    }
    addOwnText(builder, text.substr(at), at, expansion.macroSpans);
    return builder.finish();
}

std::string literalText(const MacroExpansion& expansion, TextCase textCase) {
    const std::string_view text = expansion.value;
    if (textCase == TextCase::AsStored) {
        return std::string(text);
    }
    std::span<const TextSpan> clipboard = expansion.clipboardSpans;
    std::span<const TextSpan> macros = expansion.macroSpans;
    const auto within = [](std::span<const TextSpan>& spans, std::size_t at) {
        while (!spans.empty() && spans.front().end <= at) {
            spans = spans.subspan(1);
        }
        return !spans.empty() && spans.front().begin <= at;
    };
    CaseConversion conversion(textCase);
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const utf8::Decoded decoded = utf8::decode(text, at);
        const bool keep = within(clipboard, at) || within(macros, at);
        if (keep) {
            conversion.pass(decoded.character);
            out.append(text, at, decoded.length);
        } else {
            for (const char32_t c : conversion.convert(decoded.character)) {
                utf8::append(out, c);
            }
        }
        at += decoded.length;
    }
    return out;
}

}  // namespace quorvel
