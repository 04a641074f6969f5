#pragma once
// The system's ANSI code page (GetACP), for shortcut files without a UTF-8 mark.

#include <array>
#include <optional>

#include "platform/ansi_code_page.h"

namespace quorvel {

class Win32AnsiCodePage final : public AnsiCodePage {
  public:
    Win32AnsiCodePage();
    bool appendUtf8(std::string& utf8, std::string_view ansi) const override;
    bool appendAnsi(std::string& ansi, std::string_view utf8) const override;

  private:
    // In a code page of one byte a character each byte reads the same
    // wherever it stands, so a long file is read through a table made once
    // instead of the system's conversion of the whole text, slow under Wine.
    struct ByteCharacter {
        std::array<char, 3> utf8{};
        unsigned char size = 0;
        bool exact = false;
    };
    std::optional<std::array<ByteCharacter, 256>> bytes_;
    bool asciiAsItself_ = false;
};

}  // namespace quorvel
