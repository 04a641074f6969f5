#include "engine/macro_expander.h"

#include <algorithm>
#include <cstddef>

#include "engine/ansi_text.h"

namespace quorvel {

namespace {

// A clipboard macro whose value brings itself back grows the text by the
// clipboard's size on every pass; past this size we stop as at the count limit.
constexpr std::size_t MaxExpandedSize = std::size_t{16} << 20;

constexpr std::size_t npos = std::string::npos;

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

// The text being expanded: a finished front `done` that holds no "%(", then the
// working text, which is `pending` (text that came out of earlier passes) followed
// by `rest` (input not yet touched). Every pass works at the start of the working
// text, so the input behind the current macro is never copied until it is done.
class ExpandingText {
  public:
    explicit ExpandingText(std::string_view input) : rest_(input) { done_.reserve(input.size()); }

    std::size_t pendingSize() const { return buffer_.size() - begin_; }
    std::size_t size() const { return done_.size() + pendingSize() + rest_.size(); }

    char at(std::size_t pos) const {
        const std::size_t pending = pendingSize();
        return pos < pending ? buffer_[begin_ + pos] : rest_[pos - pending];
    }

    // Working text [from, to) as a string.
    std::string slice(std::size_t from, std::size_t to) const {
        const std::size_t pending = pendingSize();
        std::string result;
        if (from < pending) {
            result.append(buffer_, begin_ + from, std::min(to, pending) - from);
        }
        if (to > pending) {
            const std::size_t restFrom = from > pending ? from - pending : 0;
            result.append(rest_.substr(restFrom, to - pending - restFrom));
        }
        return result;
    }

    // First occurrence of the two characters in the working text at or after `from`.
    std::size_t find(std::string_view pair, std::size_t from) const {
        const std::size_t pending = pendingSize();
        if (from < pending) {
            if (pair == ")%" && begin_ + from >= quietFrom_ && begin_ + from < quietTo_) {
                from = quietTo_ - begin_;
            }
            const std::string_view front(buffer_.data() + begin_, pending);
            const std::size_t hit = front.find(pair, from);
            if (hit != npos) {
                return hit;
            }
            if (!rest_.empty() && front.back() == pair[0] && rest_.front() == pair[1]) {
                return pending - 1;
            }
        }
        const std::size_t hit = rest_.find(pair, from > pending ? from - pending : 0);
        return hit == npos ? npos : pending + hit;
    }

    // Moves the first `count` characters of the working text to the finished front.
    void moveToDone(std::size_t count) {
        const std::size_t pending = pendingSize();
        if (count < pending) {
            done_.append(buffer_, begin_, count);
            begin_ += count;
            return;
        }
        done_.append(buffer_, begin_);
        buffer_.clear();
        begin_ = 0;
        quietFrom_ = quietTo_ = 0;
        done_.append(rest_.substr(0, count - pending));
        rest_.remove_prefix(count - pending);
    }

    // Replaces the macro "%(...)%" at [open, end) by `value`. `open` is at most 1.
    void replace(std::size_t open, std::size_t end, std::string_view value) {
        pull(open + 2);
        quietFrom_ = quietTo_ = 0;
        const std::size_t pending = pendingSize();
        const bool keep = open == 1;
        const char kept = buffer_[begin_];
        if (end > pending) {
            buffer_.resize(begin_ + open);
            buffer_.append(value);
            rest_.remove_prefix(end - pending);
            return;
        }
        // Write the value over the macro and the dead space in front of it when it fits.
        const std::size_t tail = begin_ + end;
        const std::size_t need = open + value.size();
        if (need <= tail) {
            begin_ = tail - need;
            std::copy(value.begin(), value.end(), buffer_.begin() + offset(begin_ + open));
        } else {
            // Room in front for the next value of this size.
            std::string grown(need, '\0');
            grown.append(value);
            grown.append(buffer_, tail);
            buffer_ = std::move(grown);
            begin_ = need - open;
        }
        if (keep) {
            buffer_[begin_] = kept;
        }
    }

    // Drops the markers of the macro "%(name)%" at [open, close + 2). `open` is at most 1.
    void unwrap(std::size_t open, std::size_t close) {
        pull(open + 2);
        const std::size_t pending = pendingSize();
        const bool keep = open == 1;
        const char kept = buffer_[begin_];
        const std::size_t nameLength = close - open - 2;
        if (close + 2 <= pending) {
            const auto name = buffer_.begin() + offset(begin_ + open + 2);
            const std::size_t tailLength = pending - close - 2;
            // Move the shorter side over the ")%".
            if (nameLength <= tailLength) {
                std::copy_backward(name, name + offset(nameLength), name + offset(nameLength + 2));
                begin_ += 4;
            } else {
                std::copy(name + offset(nameLength + 2), buffer_.end(), name + offset(nameLength));
                buffer_.resize(buffer_.size() - 2);
                begin_ += 2;
            }
        } else {
            begin_ += 2;
            if (close < pending) {
                // The ')' ends the pending text and the '%' starts the rest.
                buffer_.pop_back();
                rest_.remove_prefix(1);
            } else {
                buffer_.append(rest_.substr(0, close - pending));
                rest_.remove_prefix(close - pending + 2);
            }
        }
        if (keep) {
            buffer_[begin_] = kept;
        }
        // No ")%" starts inside the name but at its last character, which now meets
        // the text behind it. Nested markers would otherwise make each pass read the
        // whole name again.
        quietFrom_ = begin_ + open;
        quietTo_ = quietFrom_ + (nameLength > 0 ? nameLength - 1 : 0);
    }

    std::string release() && {
        done_.append(buffer_, begin_);
        done_.append(rest_);
        return std::move(done_);
    }

  private:
    static std::ptrdiff_t offset(std::size_t index) { return static_cast<std::ptrdiff_t>(index); }

    // Makes the first `count` characters of the working text pending ones.
    void pull(std::size_t count) {
        const std::size_t pending = pendingSize();
        if (count > pending) {
            buffer_.append(rest_.substr(0, count - pending));
            rest_.remove_prefix(count - pending);
        }
    }

    std::string done_;
    std::string buffer_;
    std::size_t begin_ = 0;  // the pending text is buffer_[begin_..]
    std::string_view rest_;
    // Indexes of buffer_ at which no ")%" starts.
    std::size_t quietFrom_ = 0;
    std::size_t quietTo_ = 0;
};

}  // namespace

MacroExpansion expandMacros(std::string_view input, const DateTime& now,
                            const std::function<std::optional<std::string>()>& readClipboard,
                            const Locale& locale) {
    using Kind = MacroExpansion::Kind;
    ExpandingText text(input);
    for (int expansions = 0;;) {
        std::size_t open = text.find("%(", 0);
        if (open == npos) {
            return {Kind::Text, std::move(text).release()};
        }
        // The next "%(" may begin with a '%' just in front of this one, so that stays.
        const std::size_t keep = open > 0 && text.at(open - 1) == '%' ? 1 : 0;
        text.moveToDone(open - keep);
        open = keep;

        const std::size_t close = text.find(")%", open + 2);
        if (close == npos) {
            return {Kind::Unclosed, {}};
        }
        // Only the first few characters decide which macro this is.
        const std::string head = text.slice(open + 2, std::min(close, open + 2 + 16));

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
            return {Kind::Launch, text.slice(open + 6, close)};
        }

        if (value) {
            // Only growth is refused: a text already past the size may still shrink.
            const std::size_t replaced = close + 2 - open;
            if (value->size() > replaced &&
                text.size() - replaced + value->size() > MaxExpandedSize) {
                return {Kind::Text, std::move(text).release()};
            }
            text.replace(open, close + 2, *value);
        } else {
            // An unknown name stands for itself.
            text.unwrap(open, close);
        }

        if (++expansions >= MaxMacroExpansions) {
            return {Kind::Text, std::move(text).release()};
        }
    }
}

}  // namespace quorvel
