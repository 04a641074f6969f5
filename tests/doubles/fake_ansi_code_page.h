#pragma once
// Windows-1252 as the system's ANSI code page, as on a Western Windows.

#include "platform/ansi_code_page.h"

namespace quorvel {

class FakeWindows1252 final : public AnsiCodePage {
  public:
    bool appendUtf8(std::string& utf8, std::string_view ansi) const override;
    bool appendAnsi(std::string& ansi, std::string_view utf8) const override;
};

}  // namespace quorvel
