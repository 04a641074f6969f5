#pragma once
// Which entries may start a program: those the user wrote in the editor, loaded
// as samples, or approved. An entry that came from a file someone else wrote
// (an import, a reload of the working file changed elsewhere) is held until then.
// Kept in the settings, never in the shortcut file, and bound to the exact entry
// line: the same entry changed outside Quorvel is held again.

#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/program_approval.h"
#include "engine/shortcut_list.h"
#include "platform/settings_store.h"

namespace quorvel {

class ProgramApprovals final : public ProgramApprovalCheck {
  public:
    explicit ProgramApprovals(SettingsStore& settings) : settings_(settings) {}

    // Reads what was approved. On the first start that keeps approvals, every
    // entry of `ownList` that may start a program is approved: that list is the
    // user's own.
    void load(const ShortcutList& ownList);

    // Only lines that may start a program are kept; others need no approval.
    void approve(std::string_view entryLine);
    void approveAll(const ShortcutList& list);
    bool approved(std::string_view entryLine) const override;

  private:
    SettingsStore& settings_;
    std::unordered_map<std::string, std::string> lines_;  // by their stored key
};

}  // namespace quorvel
