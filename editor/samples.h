#pragma once
// The sample shortcuts that show what entries can do.

#include <vector>

#include "engine/shortcut_entry.h"
#include "engine/shortcut_list.h"
#include "platform/dialogs.h"

namespace quorvel {

// The thirteen samples, in the order they are offered.
std::vector<ShortcutEntry> sampleEntries();

// Adds every sample to the list (alongside what is there, duplicates and all)
// and tells how to try them. Saving is left to the next change.
void loadSamples(ShortcutList& list, Dialogs& dialogs);

// Asks first, then loads the samples and says they can be edited.
void offerSamples(ShortcutList& list, Dialogs& dialogs);

}  // namespace quorvel
