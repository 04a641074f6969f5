#include "text/word_search.h"

#include <algorithm>

#include "text/case_fold.h"

namespace quorvel {

std::string foldCase(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    appendFolded(folded, text);
    return folded;
}

WordSearch::WordSearch(std::string_view typed) {
    std::size_t at = 0;
    while (at < typed.size()) {
        const std::size_t start = typed.find_first_not_of(" \t", at);
        if (start == std::string_view::npos) {
            break;
        }
        const std::size_t end = std::min(typed.find_first_of(" \t", start), typed.size());
        words_.push_back(foldCase(typed.substr(start, end - start)));
        at = end;
    }
}

bool WordSearch::matches(std::string_view trigger, std::string_view text) const {
    if (words_.empty()) {
        return true;
    }
    folded_.clear();
    appendFolded(folded_, trigger);
    const std::size_t triggerEnd = folded_.size();
    appendFolded(folded_, text);
    const std::string_view foldedTrigger = std::string_view(folded_).substr(0, triggerEnd);
    const std::string_view foldedText = std::string_view(folded_).substr(triggerEnd);
    return std::all_of(words_.begin(), words_.end(), [&](const std::string& word) {
        return foldedTrigger.find(word) != std::string_view::npos ||
               foldedText.find(word) != std::string_view::npos;
    });
}

}  // namespace quorvel
