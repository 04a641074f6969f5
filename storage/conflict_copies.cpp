#include "storage/conflict_copies.h"

#include <algorithm>

#include "text/ascii_case.h"

namespace quorvel {

namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() &&
           equalIgnoringAsciiCase(text.substr(0, start.size()), start);
}

bool endsWithIgnoringCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           equalIgnoringAsciiCase(text.substr(text.size() - end.size()), end);
}

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
        if (equalIgnoringAsciiCase(text.substr(at, part.size()), part)) {
            return true;
        }
    }
    return false;
}

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "(1)" after `start`: Google Drive's numbered copies.
bool numberedAfter(std::string_view mark, std::string_view start) {
    return mark.starts_with(start) && mark.ends_with(")") &&
           allDigits(mark.substr(start.size(), mark.size() - start.size() - 1));
}

// "-LAPTOP" or "-LAPTOP-2": a Windows computer name, 15 letters, digits or
// hyphens at most.
bool computerNameMark(std::string_view mark) {
    if (mark.size() < 2 || mark[0] != '-') {
        return false;
    }
    std::string_view name = mark.substr(1);
    if (const auto dash = name.find_last_of('-');
        dash != std::string_view::npos && allDigits(name.substr(dash + 1))) {
        name = name.substr(0, dash);
    }
    return !name.empty() && name.size() <= 15 && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '-';
    });
}

}  // namespace

bool isConflictCopyName(std::string_view fileName, std::string_view candidate) {
    const auto dot = fileName.find_last_of('.');
    const std::string_view stem = fileName.substr(0, dot);
    const std::string_view extension =
        dot == std::string_view::npos ? std::string_view() : fileName.substr(dot);
    if (candidate.size() <= fileName.size() || !startsWithIgnoringCase(candidate, stem) ||
        !endsWithIgnoringCase(candidate, extension)) {
        return false;
    }
    const std::string_view mark =
        candidate.substr(stem.size(), candidate.size() - stem.size() - extension.size());
    return startsWithIgnoringCase(mark, ".sync-conflict-") ||
           startsWithIgnoringCase(mark, "_conflict-") ||
           (mark.starts_with(" (") && mark.ends_with(")") &&
            containsIgnoringCase(mark, "conflicted copy")) ||
           numberedAfter(mark, "_conf(") || numberedAfter(mark, " (") || computerNameMark(mark);
}

std::vector<std::string> conflictCopiesOf(std::string_view path, Files& files) {
    const auto separator = path.find_last_of('\\');
    if (separator == std::string_view::npos) {
        return {};
    }
    const std::string_view folder = path.substr(0, separator);
    const std::string_view fileName = path.substr(separator + 1);
    std::vector<std::string> copies;
    for (const std::string& name : files.filesIn(folder)) {
        if (isConflictCopyName(fileName, name)) {
            copies.push_back(std::string(folder) + "\\" + name);
        }
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

std::string mergedCopyName(std::string_view copyPath, Files& files) {
    std::string name = std::string(copyPath) + ".merged";
    for (int n = 2; files.exists(name); ++n) {
        name = std::string(copyPath) + ".merged" + std::to_string(n);
    }
    return name;
}

}  // namespace quorvel
