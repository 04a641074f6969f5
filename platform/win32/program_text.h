#pragma once
// The program's narrow text as the system's wide functions take it.

#include <string>
#include <string_view>

namespace quorvel {

// The program keeps its text (entries, paths, Common Text) in the ANSI code
// page; this is where services that call wide functions convert it. Text longer
// than the system's functions take gives empty text.
std::wstring wideFromProgramText(std::string_view text);

}  // namespace quorvel
