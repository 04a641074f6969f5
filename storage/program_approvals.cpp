#include "storage/program_approvals.h"

#include "engine/macro_expander.h"
#include "engine/shortcut_entry.h"
#include "storage/settings_names.h"
#include "storage/usage_history.h"

namespace quorvel {

namespace {

std::string approvalKey(std::string_view entryLine) {
    return usageKey(usageFingerprint({}, entryLine));
}

}  // namespace

void ProgramApprovals::load(const ShortcutList& ownList) {
    lines_.clear();
    const bool kept =
        settings::readBoolSetting(settings_.read(settings::ApprovalsKept, "")).value_or(false);
    if (!kept) {
        approveAll(ownList);
        settings_.write(settings::ApprovalsKept, settings::boolSetting(true));
        return;
    }
    for (const std::string& key :
         settings_.keysOf(settings::Application, settings::ApprovedProgramsSection)) {
        // The value is compared whole on each look, so one written by hand
        // under the wrong name approves nothing.
        lines_[key] =
            settings_.read({settings::Application, settings::ApprovedProgramsSection, key}, "");
    }
}

void ProgramApprovals::approve(std::string_view entryLine) {
    const auto fields = splitEntryLine(entryLine);
    if (!fields || !mayStartProgram(fields->text) || approved(entryLine)) {
        return;
    }
    const std::string key = approvalKey(entryLine);
    settings_.write({settings::Application, settings::ApprovedProgramsSection, key}, entryLine);
    lines_[key] = std::string(entryLine);
}

void ProgramApprovals::approveAll(const ShortcutList& list) {
    for (std::size_t row = 0; row < list.count(); ++row) {
        approve(list.entryLine(row));
    }
}

bool ProgramApprovals::approved(std::string_view entryLine) const {
    const auto found = lines_.find(approvalKey(entryLine));
    return found != lines_.end() && found->second == entryLine;
}

}  // namespace quorvel
