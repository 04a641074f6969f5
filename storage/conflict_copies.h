#pragma once
// The copies sync clients keep beside a file that two computers changed at
// once, found by the names they give them:
//   Syncthing          defaultkeys.sync-conflict-20261209-113000-ABCDEFG.qvb
//   Dropbox            defaultkeys (Ann's conflicted copy 2026-12-09).qvb
//   Nextcloud, ownCloud defaultkeys (conflicted copy 2026-12-09 113000).qvb
//   older ownCloud     defaultkeys_conflict-20261209-113000.qvb
//   Google Drive       defaultkeys_conf(1).qvb, defaultkeys (1).qvb
//   OneDrive           defaultkeys-LAPTOP.qvb, defaultkeys-LAPTOP-2.qvb

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace quorvel {

// Whether `candidate` is a name sync clients give a conflict copy of the file
// named `fileName` (no folders in either).
bool isConflictCopyName(std::string_view fileName, std::string_view candidate);

// The paths of the conflict copies beside the file at `path`, in name order.
std::vector<std::string> conflictCopiesOf(std::string_view path, Files& files);

// The first free name of "<copy>.merged", "<copy>.merged2", ...: where a copy
// goes once taken in, which no sync client's pattern matches any more.
std::string mergedCopyName(std::string_view copyPath, Files& files);

}  // namespace quorvel
