#include "engine/stay_out.h"

#include <algorithm>

#include "text/utf8_text.h"

namespace quorvel {

namespace {

constexpr char Separator = '|';

}  // namespace

std::string_view ExcludedPrograms::fileName(std::string_view text) {
    text = trimBlanks(text);
    const auto slash = text.find_last_of("\\/");
    if (slash != std::string_view::npos) {
        text = trimBlanks(text.substr(slash + 1));
    }
    if (text == "." || text == "..") {
        return {};
    }
    const bool forbidden = std::any_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 ||
               std::string_view("<>:\"|?*").find(c) != std::string_view::npos;
    });
    return forbidden ? std::string_view{} : text;
}

ExcludedPrograms ExcludedPrograms::parse(std::string_view stored) {
    ExcludedPrograms programs;
    std::size_t start = 0;
    while (start <= stored.size()) {
        const auto end = std::min(stored.find(Separator, start), stored.size());
        programs.add(stored.substr(start, end - start));
        start = end + 1;
    }
    return programs;
}

std::string ExcludedPrograms::stored() const {
    std::string text;
    for (const std::string& name : names_) {
        if (!text.empty()) {
            text.push_back(Separator);
        }
        text += name;
    }
    return text;
}

bool ExcludedPrograms::add(std::string_view name) {
    const std::string_view fileName = ExcludedPrograms::fileName(name);
    if (fileName.empty() || names_.size() >= MaxNames || contains(fileName)) {
        return false;
    }
    names_.emplace_back(fileName);
    lowered_.push_back(lowerCase(fileName));
    return true;
}

bool ExcludedPrograms::remove(std::string_view name) {
    const auto found = std::find(lowered_.begin(), lowered_.end(), lowerCase(name));
    if (found == lowered_.end()) {
        return false;
    }
    names_.erase(names_.begin() + (found - lowered_.begin()));
    lowered_.erase(found);
    return true;
}

bool ExcludedPrograms::contains(std::string_view program) const {
    // Most users exclude nothing: no lower-casing for every key then.
    return !lowered_.empty() && !program.empty() &&
           std::find(lowered_.begin(), lowered_.end(), lowerCase(program)) != lowered_.end();
}

bool staysOut(const FocusFacts& focus, const ExcludedPrograms& excluded, bool pauseInFullScreen) {
    return focus.passwordBox || focus.composing || (pauseInFullScreen && focus.fullScreen) ||
           excluded.contains(focus.program);
}

}  // namespace quorvel
