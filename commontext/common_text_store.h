#pragma once
// The Common Text list in the settings: the row count under "Number" and row i
// under the key "i", in the "Commonkeys" section of the program's settings.

#include <cstdint>
#include <string_view>
#include "commontext/text_rows.h"
#include "platform/settings_store.h"

namespace quorvel {

// List positions are 16-bit, so no stored count reads as more rows than this.
inline constexpr std::int32_t MaxCommonTextRows = 32767;

// Stores every row, then the count. Keys past the new count are left as they
// are: they are never read, since reading stops at the count.
void saveCommonText(SettingsStore& settings, const TextRows& rows);

// Appends the stored rows to `rows` (which it never clears). A missing row key
// reads as an empty row, but no row past the last one stored is read, whatever
// the count says.
void loadCommonText(SettingsStore& settings, TextRows& rows);

// The stored count as loadCommonText reads it: blanks around a decimal integer are
// allowed; anything else, and a negative number, is 0; more than
// MaxCommonTextRows is MaxCommonTextRows.
std::int32_t commonTextCount(std::string_view stored);

}  // namespace quorvel
