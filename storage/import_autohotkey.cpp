#include "storage/import_autohotkey.h"

#include <cctype>
#include <optional>
#include <vector>

#include "engine/send_keys_notation.h"
#include "text/ascii_case.h"
#include "text/number_text.h"
#include "text/utf8.h"
#include "text/utf8_text.h"

namespace quorvel {

namespace {

struct Options {
    bool anywhere = false;     // *
    bool insideWords = false;  // ?
    bool caseSensitive = false;
    bool omitEnding = false;
    bool raw = false;  // R and T
    bool keepTrigger = false;
    bool runsCode = false;
    std::string unknown;  // the first option not known at all
};

std::string_view trimmedLine(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
        line.remove_prefix(1);
    }
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    return line;
}

bool startsWithWord(std::string_view line, std::string_view word) {
    return line.size() >= word.size() && equalIgnoringCase(line.substr(0, word.size()), word);
}

// An option letter turned off by a following 0, on by anything else.
bool flagAt(std::string_view options, std::size_t& i) {
    if (i + 1 < options.size() && options[i + 1] == '0') {
        ++i;
        return false;
    }
    return true;
}

void applyOptions(std::string_view letters, Options& options) {
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const char c = asciiLower(letters[i]);
        switch (c) {
            case '*':
                options.anywhere = flagAt(letters, i);
                break;
            case '?':
                options.insideWords = flagAt(letters, i);
                break;
            case 'b':
                options.keepTrigger = !flagAt(letters, i);
                break;
            case 'c':
                options.caseSensitive =
                    i + 1 >= letters.size() || (letters[i + 1] != '0' && letters[i + 1] != '1');
                i += options.caseSensitive ? 0 : 1;
                break;
            case 'o':
                options.omitEnding = flagAt(letters, i);
                break;
            case 'r':
            case 't':
                options.raw = flagAt(letters, i);
                break;
            case 'x':
                options.runsCode = flagAt(letters, i);
                break;
            case 'z':
                flagAt(letters, i);
                break;
            case 'k':
            case 'p':
                while (i + 1 < letters.size() &&
                       (letters[i + 1] == '-' ||
                        std::isdigit(static_cast<unsigned char>(letters[i + 1])))) {
                    ++i;
                }
                break;
            case 's':
                i += i + 1 < letters.size() ? 1 : 0;  // SI, SP, SE: how keys are sent
                break;
            case 'e':
            case ' ':
            case '\t':
                break;
            default:
                if (options.unknown.empty()) {
                    options.unknown = std::string(1, letters[i]);
                }
        }
    }
}

// Why a hotstring with these options cannot become an entry; empty when it can.
std::string refusal(const Options& options) {
    if (options.runsCode) {
        return "option X: the hotstring runs code";
    }
    if (options.anywhere) {
        return "option *: fires without an ending key, and Quorvel's triggers end with one";
    }
    if (options.insideWords) {
        return "option ?: fires inside words, and Quorvel's triggers start a word";
    }
    if (options.caseSensitive) {
        return "option C: fires in one letter case only, and Quorvel's triggers match any case";
    }
    if (options.keepTrigger) {
        return "option B0: leaves the trigger typed, and Quorvel erases it";
    }
    if (!options.unknown.empty()) {
        return "option " + options.unknown + " is not an AutoHotkey hotstring option";
    }
    return {};
}

// The escape sequences of the script's text: `n, `t, `r and the escaped
// punctuation.
std::string unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '`' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n'   ? '\n'
               : next == 't' ? '\t'
               : next == 'r' ? '\r'
               : next == 's' ? ' '
                             : next;
    }
    return out;
}

// The text up to a comment: a semicolon after a blank, unless escaped.
std::string_view withoutComment(std::string_view text) {
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == ';' && (text[i - 1] == ' ' || text[i - 1] == '\t') &&
            (i < 2 || text[i - 2] != '`')) {
            return trimmedLine(text.substr(0, i));
        }
    }
    return text;
}

struct NamedKey {
    std::string_view name;
    std::string_view notation;
};
constexpr NamedKey SendKeys[] = {
    {"enter", "ENTER"},       {"tab", "TAB"},         {"esc", "ESC"},
    {"escape", "ESC"},        {"backspace", "BS"},    {"bs", "BS"},
    {"delete", "DEL"},        {"del", "DEL"},         {"insert", "INS"},
    {"ins", "INS"},           {"home", "HOME"},       {"end", "END"},
    {"pgup", "PGUP"},         {"pgdn", "PGDN"},       {"up", "UP"},
    {"down", "DOWN"},         {"left", "LEFT"},       {"right", "RIGHT"},
    {"capslock", "CAPSLOCK"}, {"numlock", "NUMLOCK"}, {"scrolllock", "SCROLLLOCK"},
    {"printscreen", "PRTSC"}, {"break", "BREAK"},
};

struct Converted {
    std::string notation;
    std::string problem;
};

// A key in braces: "{Enter}", "{Left 3}", "{!}", "{U+263A}".
Converted keyInBraces(std::string_view inside) {
    const Converted unknown{{}, "the send key {" + std::string(inside) + "} has no counterpart"};
    std::string_view name = inside;
    std::string repeat;
    std::uint32_t count = 1;
    if (const std::size_t blank = inside.find(' '); blank != std::string_view::npos && blank > 0) {
        name = inside.substr(0, blank);
        repeat = std::string(trimmedLine(inside.substr(blank + 1)));
        const std::optional<std::uint32_t> number = wholeNumber(repeat, MaxSendKeysRepeat);
        if (!number) {
            return unknown;
        }
        count = *number;
    }
    const auto times = [&](const std::string& one) {
        std::string out;
        for (std::uint32_t i = 0; i < count; ++i) {
            out += one;
        }
        return out;
    };
    if (utf8::length(name) == 1) {
        return {times(literalNotation(name)), {}};
    }
    std::string lower(name);
    for (char& c : lower) {
        c = asciiLower(c);
    }
    if (lower == "space") {
        return {times(" "), {}};
    }
    if (lower.starts_with("u+") && lower.size() > 2 && lower.size() <= 8 &&
        lower.find_first_not_of("0123456789abcdef", 2) == std::string::npos) {
        const auto code = static_cast<char32_t>(std::stoul(lower.substr(2), nullptr, 16));
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || code < 0x20) {
            return unknown;
        }
        std::string character;
        utf8::append(character, code);
        return {times(literalNotation(character)), {}};
    }
    std::string key;
    for (const NamedKey& known : SendKeys) {
        if (lower == known.name) {
            key = known.notation;
        }
    }
    if (lower.size() >= 2 && lower.size() <= 3 && lower[0] == 'f' &&
        lower.find_first_not_of("0123456789", 1) == std::string::npos) {
        if (const auto number = wholeNumber(lower.substr(1), 16); number && *number >= 1) {
            key = "F" + std::to_string(*number);
        }
    }
    if (key.empty()) {
        return unknown;
    }
    return {"{" + key + (repeat.empty() ? "" : " " + repeat) + "}", {}};
}

// The send syntax of an auto-replace text in Quorvel's notation.
Converted sendNotation(std::string_view text) {
    Converted out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '^' || c == '!' || c == '+') {
            out.notation += c == '!' ? '%' : c;
        } else if (c == '#') {
            return {{}, "# holds the Windows key, which Quorvel does not send"};
        } else if (c == '{') {
            // "{}}" names the closing brace itself.
            const std::size_t close = text.find('}', i + 2);
            if (close == std::string_view::npos) {
                return {{}, "a brace opened in the text is never closed"};
            }
            const std::string_view inside = text.substr(i + 1, close - i - 1);
            if (equalIgnoringCase(inside, "raw") || equalIgnoringCase(inside, "text")) {
                out.notation += literalNotation(text.substr(close + 1));
                return out;
            }
            const Converted key = keyInBraces(inside);
            if (!key.problem.empty()) {
                return key;
            }
            out.notation += key.notation;
            i = close;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;  // CR LF types one Enter
        } else {
            const std::size_t length = utf8::decode(text, i).length;
            out.notation += literalNotation(text.substr(i, length));
            i += length - 1;
        }
    }
    return out;
}

struct Hotstring {
    std::string_view options;
    std::string_view trigger;
    std::string_view replacement;
};

// ":options:trigger::replacement"; nothing for any other line.
std::optional<Hotstring> hotstringOf(std::string_view line) {
    if (line.size() < 4 || line[0] != ':') {
        return std::nullopt;
    }
    const std::size_t optionsEnd = line.find(':', 1);
    const std::size_t triggerEnd = line.find("::", optionsEnd + 1);
    if (triggerEnd == std::string_view::npos || triggerEnd == optionsEnd + 1) {
        return std::nullopt;
    }
    return Hotstring{line.substr(1, optionsEnd - 1),
                     line.substr(optionsEnd + 1, triggerEnd - optionsEnd - 1),
                     trimmedLine(line.substr(triggerEnd + 2))};
}

class ScriptReader {
  public:
    explicit ScriptReader(std::string_view script) {
        for (std::size_t start = 0; start <= script.size();) {
            std::size_t end = script.find('\n', start);
            if (end == std::string_view::npos) {
                end = script.size();
            }
            std::string_view line = script.substr(start, end - start);
            if (line.ends_with('\r')) {
                line.remove_suffix(1);
            }
            lines_.push_back(line);
            start = end + 1;
        }
    }

    ImportRows read() {
        for (next_ = 0; next_ < lines_.size();) {
            const std::size_t number = next_;
            const std::string_view line = trimmedLine(lines_[next_++]);
            if (line.starts_with("/*")) {
                skipBlockComment(line);
            } else if (startsWithWord(line, "#Hotstring")) {
                const std::string_view arguments = trimmedLine(line.substr(10));
                if (!startsWithWord(arguments, "EndChars") &&
                    !startsWithWord(arguments, "NoMouse")) {
                    applyOptions(arguments, defaults_);
                }
            } else if (const std::optional<Hotstring> hotstring = hotstringOf(line)) {
                readHotstring(*hotstring, number + 1);
            }
        }
        return std::move(rows_);
    }

  private:
    void skipBlockComment(std::string_view first) {
        if (first.find("*/", 2) != std::string_view::npos) {
            return;
        }
        while (next_ < lines_.size()) {
            const std::string_view line = trimmedLine(lines_[next_++]);
            if (line.starts_with("*/") || line.ends_with("*/")) {
                return;
            }
        }
    }

    void readHotstring(const Hotstring& hotstring, std::size_t number) {
        Options options = defaults_;
        applyOptions(hotstring.options, options);
        ImportRow row = skippedRow(number, unescaped(hotstring.trigger), "");
        std::optional<std::string> text;
        if (!hotstring.replacement.empty() && !options.runsCode) {
            text = unescaped(withoutComment(hotstring.replacement));
        } else if (hotstring.replacement.empty() && next_ < lines_.size() &&
                   trimmedLine(lines_[next_]).starts_with('(')) {
            text = continuationSection();
        } else {
            skipCode(hotstring.replacement);
            options.runsCode = true;
            row.skipReason = "the hotstring runs code, not a text";
        }
        if (row.skipReason.empty()) {
            row.skipReason = refusal(options);
        }
        if (text && row.skipReason.empty()) {
            Converted converted =
                options.raw ? Converted{literalNotation(*text), {}} : sendNotation(*text);
            row.skipReason = converted.problem;
            row.entry = {.launchMode = LaunchMode::Space,
                         .trigger = row.trigger,
                         .text = converted.notation + (options.omitEnding ? "" : " ")};
        }
        rows_.push_back(std::move(row));
    }

    // The lines between "(" and ")", joined as its options say.
    std::string continuationSection() {
        const std::string_view opening = trimmedLine(lines_[next_++]).substr(1);
        bool trimLeft = false;
        std::string join = "\n";
        for (std::size_t at = 0; at < opening.size();) {
            const std::size_t end = std::min(opening.find_first_of(" \t", at), opening.size());
            const std::string_view option = opening.substr(at, end - at);
            if (startsWithWord(option, "LTrim")) {
                trimLeft = option != "LTrim0";
            } else if (startsWithWord(option, "Join")) {
                join = unescaped(option.substr(4));
            }
            at = end + 1;
        }
        std::string text;
        for (bool first = true; next_ < lines_.size(); first = false) {
            std::string_view line = lines_[next_++];
            if (trimmedLine(line).starts_with(')')) {
                break;
            }
            while (trimLeft && !line.empty() && (line.front() == ' ' || line.front() == '\t')) {
                line.remove_prefix(1);
            }
            text += (first ? "" : join) + unescaped(line);
        }
        return text;
    }

    // The code of a hotstring: a block in braces, or the lines up to "return".
    // A script that never closes one ends it at the next hotstring, so that
    // the shortcuts after it still show.
    void skipCode(std::string_view sameLine) {
        int depth = 0;
        const auto count = [&](std::string_view line) {
            for (const char c : line) {
                depth += c == '{' ? 1 : c == '}' ? -1 : 0;
            }
        };
        count(sameLine);
        if (!sameLine.empty() && depth == 0) {
            return;  // a one-line action
        }
        while (next_ < lines_.size()) {
            const std::string_view line = trimmedLine(lines_[next_]);
            if (hotstringOf(line)) {
                return;
            }
            ++next_;
            count(line);
            if ((depth <= 0 && line.starts_with('}')) ||
                (depth == 0 && equalIgnoringCase(line, "return"))) {
                return;
            }
        }
    }

    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
    Options defaults_;
    ImportRows rows_;
};

}  // namespace

ImportRows readAutoHotkeyScript(std::string_view script) {
    return ScriptReader(script).read();
}

}  // namespace quorvel
