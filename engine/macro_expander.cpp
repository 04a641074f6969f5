#include "engine/macro_expander.h"

#include <algorithm>
#include <cstddef>

#include "engine/ansi_text.h"

namespace quorvel {

namespace {

// A clipboard macro whose value brings itself back grows the text by the
// clipboard's size on every pass; past this size we stop as at the count limit.
constexpr std::size_t MaxExpandedSize = std::size_t{16} << 20;

// The macro names are plain ASCII, so comparing the lower-cased name byte by
// byte is enough.
bool startsWithLowered(std::string_view name, std::string_view lowerWord) {
    if (name.size() < lowerWord.size()) {
        return false;
    }
    for (std::size_t i = 0; i < lowerWord.size(); ++i) {
        if (ansiLower(name[i]) != lowerWord[i]) {
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

}  // namespace

MacroExpansion expandMacros(std::string_view text, const DateTime& now,
                            const std::function<std::optional<std::string>()>& readClipboard,
                            const Locale& locale) {
    using Kind = MacroExpansion::Kind;

    // The text is kept as a finished front, which holds no "%(", and the rest,
    // stored back to front in `work`: each pass consumes and replaces the front
    // of the rest at the end of that string, so nothing is copied whole per macro.
    std::string done;
    done.reserve(text.size());
    std::string work(text.rbegin(), text.rend());
    auto finish = [&done, &work] {
        done.append(work.rbegin(), work.rend());
        return MacroExpansion{Kind::Text, std::move(done)};
    };

    // Indexes of `work` in (quietLow, quietHigh] start no ")%": the name of an
    // unknown macro just put back. Nested markers would otherwise make every
    // pass read the same long name again.
    std::size_t quietLow = 0;
    std::size_t quietHigh = 0;

    for (int expansions = 0;;) {
        // "%(" read front to back is "(%" in `work`; its last occurrence is the first one.
        const std::size_t open = work.rfind("(%");
        if (open == std::string::npos) {
            return finish();
        }
        done.append(work.rbegin(),
                    work.rbegin() + static_cast<std::ptrdiff_t>(work.size() - open - 2));
        work.resize(open + 2);

        // The ")%" must begin after the "%(": its ')' lies at or below work.size() - 3.
        std::size_t closeFrom = work.size() >= 3 ? work.size() - 3 : 0;
        if (quietLow < closeFrom && closeFrom <= quietHigh) {
            closeFrom = quietLow;
        }
        quietLow = quietHigh = 0;
        const std::size_t close =
            closeFrom >= 1 ? work.rfind("%)", closeFrom - 1) : std::string::npos;
        if (close == std::string::npos) {
            return MacroExpansion{Kind::Unclosed, {}};
        }
        // `close` is the '%' of ")%"; the name lies between it + 1 and the "%(".
        const std::size_t nameLength = work.size() - 4 - close;
        const auto nameBegin = work.rbegin() + 2;
        // Only the first few characters decide which macro this is.
        const std::string head(nameBegin, nameBegin + static_cast<std::ptrdiff_t>(
                                                          std::min<std::size_t>(nameLength, 16)));

        std::optional<std::string> value;
        if (equalsLowered(head, "now")) {
            value = locale.shortDate(now) + " " + locale.longTime(now);
        } else if (equalsLowered(head, "date")) {
            value = locale.shortDate(now);
        } else if (equalsLowered(head, "longdate")) {
            value = longDate(now, locale);
        } else if (equalsLowered(head, "time")) {
            value = locale.longTime(now);
        } else if (equalsLowered(head, "clipboard text")) {
            value = readClipboard ? readClipboard().value_or(std::string{}) : std::string{};
        } else if (startsWithLowered(head, "run=")) {
            return MacroExpansion{
                Kind::Launch,
                std::string(nameBegin + 4, nameBegin + static_cast<std::ptrdiff_t>(nameLength))};
        }

        if (value) {
            const std::size_t replaced = nameLength + 4;
            if (value->size() > replaced &&
                done.size() + work.size() - replaced + value->size() > MaxExpandedSize) {
                return finish();
            }
            work.resize(close);
            work.append(value->rbegin(), value->rend());
        } else {
            // An unknown name stands for itself: only the markers go.
            const auto nameLow = work.begin() + static_cast<std::ptrdiff_t>(close + 2);
            std::copy(nameLow, nameLow + static_cast<std::ptrdiff_t>(nameLength),
                      work.begin() + static_cast<std::ptrdiff_t>(close));
            work.resize(work.size() - 4);
            // No ")%" starts inside the name; only its last character may pair with
            // what follows it.
            if (nameLength >= 2) {
                quietLow = close;
                quietHigh = work.size() - 1;
            }
        }

        // A '%' ending the finished front may start a "%(" with the new text.
        if (!done.empty() && done.back() == '%') {
            done.pop_back();
            work.push_back('%');
        }

        if (++expansions >= MaxMacroExpansions) {
            return finish();
        }
    }
}

}  // namespace quorvel
