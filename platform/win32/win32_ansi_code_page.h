#pragma once
// The system's ANSI code page (GetACP), for shortcut files without a UTF-8 mark.

#include "platform/ansi_code_page.h"

namespace quorvel {

class Win32AnsiCodePage final : public AnsiCodePage {
  public:
    bool appendUtf8(std::string& utf8, std::string_view ansi) const override;
    bool appendAnsi(std::string& ansi, std::string_view utf8) const override;
};

}  // namespace quorvel
