#pragma once
// The system's ANSI code page, in which shortcut files without a UTF-8 mark are
// written (Windows-1252 on a Western Windows).

#include <string>
#include <string_view>

namespace quorvel {

class AnsiCodePage {
  public:
    virtual ~AnsiCodePage() = default;
    // Appends the bytes as UTF-8. Bytes that have no character of their own in
    // the code page go as a stand-in (U+FFFD or the system's default
    // character), and the result is then false.
    virtual bool appendUtf8(std::string& utf8, std::string_view ansi) const = 0;
    // Appends the UTF-8 text in the code page. False, with part of it appended,
    // when some character has no exact counterpart there (look-alikes do not
    // count), or the text is not UTF-8.
    virtual bool appendAnsi(std::string& ansi, std::string_view utf8) const = 0;
};

}  // namespace quorvel
