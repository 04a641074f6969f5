#include "text/case_mapping.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace quorvel {

namespace {

struct CaseRow {
    char32_t from;
    std::array<char32_t, 3> upper;  // ending at the first zero
    std::array<char32_t, 3> title;
};

constexpr CaseRow CaseRows[] = {
#include "text/case_mapping_rows.inc"
};

struct CodeRange {
    char32_t first;
    char32_t last;
};

constexpr CodeRange LetterRanges[] = {
#include "text/letter_ranges.inc"
};

std::u32string mapped(const std::array<char32_t, 3>& characters) {
    std::u32string out;
    for (const char32_t c : characters) {
        if (c == 0) {
            break;
        }
        out += c;
    }
    return out;
}

const CaseRow* rowOf(char32_t character) {
    const auto row = std::lower_bound(
        std::begin(CaseRows), std::end(CaseRows), character,
        [](const CaseRow& candidate, char32_t wanted) { return candidate.from < wanted; });
    return row != std::end(CaseRows) && row->from == character ? row : nullptr;
}

}  // namespace

bool isLetterOrDigit(char32_t character) {
    const auto after = std::upper_bound(
        std::begin(LetterRanges), std::end(LetterRanges), character,
        [](char32_t wanted, const CodeRange& range) { return wanted < range.first; });
    return after != std::begin(LetterRanges) && character <= std::prev(after)->last;
}

std::u32string CaseConversion::convert(char32_t character) {
    if (case_ == TextCase::AsStored) {
        return std::u32string(1, character);
    }
    const CaseRow* row = rowOf(character);
    if (case_ == TextCase::AllCapitals && row) {
        return mapped(row->upper);
    }
    if (case_ == TextCase::FirstCapital && !firstLetterSeen_ && isLetterOrDigit(character)) {
        firstLetterSeen_ = true;
        if (row) {
            return mapped(row->title);
        }
    }
    return std::u32string(1, character);
}

void CaseConversion::pass(char32_t character) {
    firstLetterSeen_ = firstLetterSeen_ || isLetterOrDigit(character);
}

}  // namespace quorvel
