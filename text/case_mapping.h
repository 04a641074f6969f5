#pragma once
// Letter case for typing a text in the case its trigger was typed in: Unicode's
// full mappings, one character to up to three ("ß" to "SS" in capitals and "Ss"
// as a title, "ǆ" to "Ǆ" and "ǅ"), those that hold in every language and
// context.

#include <string>

namespace quorvel {

enum class TextCase {
    AsStored,
    FirstCapital,  // the text's first letter in its title case
    AllCapitals,
};

// Turns the characters of a text, in order, into the case asked for. Characters
// it must not change (a macro's value, the clipboard's text, a key typed with
// Shift) still count: a text whose first letter is one of them keeps its case.
class CaseConversion {
  public:
    explicit CaseConversion(TextCase textCase) : case_(textCase) {}

    // The character in the case asked for.
    std::u32string convert(char32_t character);
    // Goes past a character that keeps its case.
    void pass(char32_t character);

  private:
    TextCase case_;
    bool firstLetterSeen_ = false;
};

// Whether the character is a letter or a decimal digit of any script.
bool isLetterOrDigit(char32_t character);

}  // namespace quorvel
