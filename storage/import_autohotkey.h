#pragma once
// The hotstrings of an AutoHotkey script (versions 1 and 2) as Quorvel entries.
//
// A hotstring becomes an entry launched by Space, as an AutoHotkey hotstring
// fires at its ending character; the Space is typed after the text unless the
// hotstring says O. Honoured: B, C0, C1, O, R, T, Z, K, P, S and E, "#Hotstring"
// defaults, continuation sections, the escapes and the send syntax ({Enter},
// ^, !, +, {Raw}, {Text}). Left out with the reason: "*" and "?" (fire without
// an ending key, inside words), C (a trigger in one letter case only), B0 (the
// trigger stays), X and hotstrings that run code, "#" (the Windows key) and
// keys with no counterpart in Quorvel's notation.

#include <string_view>

#include "storage/import_rows.h"

namespace quorvel {

ImportRows readAutoHotkeyScript(std::string_view script);

}  // namespace quorvel
