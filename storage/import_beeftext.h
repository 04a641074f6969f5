#pragma once
// Beeftext's combos, from its JSON export or its CSV export (keyword, snippet,
// name, enabled), as Quorvel entries launched by Space. Its variables become
// Quorvel's macros where Quorvel has one: #{clipboard}, #{date}, #{time} and
// #{dateTime}; a combo with any other (the cursor, a date format of its own,
// another combo, an input box...) is left out, the variable named.

#include <string_view>

#include "storage/import_rows.h"

namespace quorvel {

ImportRows readBeeftextJson(std::string_view json);
ImportRows readBeeftextCsv(std::string_view csv);

}  // namespace quorvel
