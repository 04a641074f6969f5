#pragma once
// Where Quorvel stays out: password boxes, input-method composition, the
// programs the user excluded, and full-screen programs.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/focus_inspector.h"

namespace quorvel {

// The programs the user keeps Quorvel out of, by file name ("mstsc.exe"),
// compared without regard to case.
class ExcludedPrograms {
  public:
    // The stored form: names separated by "|", a character no file name holds.
    // What is not a file name is dropped: blanks around a name go, a path keeps
    // its last part, a name with a character Windows forbids is left out, and so
    // is a second copy of a name, and every name past the first MaxNames.
    static ExcludedPrograms parse(std::string_view stored);
    static constexpr std::size_t MaxNames = 256;
    // The file name `text` gives by those rules, or empty when it gives none.
    static std::string_view fileName(std::string_view text);
    std::string stored() const;

    // Adds a name by the rules of parse; false when it is not a file name, is
    // listed already or the list is full.
    bool add(std::string_view name);
    // Removes the name (any case); false when it was not listed.
    bool remove(std::string_view name);
    bool contains(std::string_view program) const;
    const std::vector<std::string>& names() const { return names_; }

  private:
    std::vector<std::string> names_;
    std::vector<std::string> lowered_;  // the same names in lower case
};

// Whether no trigger may fire, and no key be held, where the user types now.
bool staysOut(const FocusFacts& focus, const ExcludedPrograms& excluded, bool pauseInFullScreen);

}  // namespace quorvel
