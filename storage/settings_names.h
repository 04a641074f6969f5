#pragma once
// Where every stored setting lives: application, section and key. Names compare
// without regard to case, so one spelling serves both "Opts" and "opts".

#include <optional>
#include <string>
#include <string_view>

#include "platform/product_info.h"
#include "platform/settings_store.h"
#include "text/ascii_case.h"
#include "text/number_text.h"

namespace quorvel::settings {

inline constexpr std::string_view Application = product::SettingsApplication;
inline constexpr std::string_view FileSection = "File";
inline constexpr std::string_view OptionsSection = "Opts";
inline constexpr std::string_view StartUpSection = "StartUpQ";

inline constexpr SettingName SaveFile{Application, FileSection, "Save"};
inline constexpr SettingName ImportFile{Application, FileSection, "Import"};
// The working file's path when the user chose where it lives; empty otherwise.
inline constexpr SettingName ShortcutFileLocation{Application, FileSection, "Location"};
// The sync clients' conflict copies the user chose not to take in: one value
// per copy, named by its file name.
inline constexpr std::string_view DeclinedCopiesSection = "DeclinedCopies";
// The key really is spelled this way in existing users' settings.
inline constexpr SettingName AutoImport{Application, OptionsSection, "AutoImort"};
inline constexpr SettingName MenuShow{Application, OptionsSection, "MenuShow"};
inline constexpr SettingName MenuText{Application, OptionsSection, "MenuText"};
inline constexpr SettingName RunMinimized{Application, OptionsSection, "RunMinimized"};
inline constexpr SettingName Boost{Application, OptionsSection, "Boost"};
inline constexpr SettingName StartUpOption{Application, StartUpSection, "StartUpOpt"};
inline constexpr SettingName FullScreenPause{Application, OptionsSection, "FullScreenPause"};
// The excluded programs' file names, in the form ExcludedPrograms::stored gives.
inline constexpr SettingName ExcludedProgramNames{Application, "Excluded", "Programs"};
// The popup's hot key, by its name ("Ctrl+Alt+Space"); "None" turns it off.
inline constexpr SettingName PopupKey{Application, OptionsSection, "PopupKey"};
// "Match the Case of the Trigger", off when missing.
inline constexpr SettingName MatchTriggerCase{Application, OptionsSection, "MatchCase"};
inline constexpr SettingName UndoWithBackspace{Application, OptionsSection, "UndoWithBackspace"};
// How often and when each shortcut was used: one value per shortcut (UsageHistory).
inline constexpr std::string_view UsageSection = "Usage";
// The entries allowed to start programs: one value per entry line, named by its
// fingerprint and holding the line itself, so that only that exact line passes.
inline constexpr std::string_view ApprovedProgramsSection = "ApprovedPrograms";
// "True" once the approvals are kept: before that, the list held is the user's own.
inline constexpr SettingName ApprovalsKept{Application, OptionsSection, "ApprovalsKept"};
inline constexpr SettingName Calibration{product::CalibrationApplication, "options", "text2"};

// The Common Text list: the row count under "Number", row i under the key "i".
inline constexpr std::string_view CommonTextSection = "Commonkeys";
inline constexpr std::string_view CommonTextCountKey = "Number";
inline constexpr SettingName CommonTextCount{Application, CommonTextSection, CommonTextCountKey};

inline std::string boolSetting(bool value) {
    return value ? "True" : "False";
}

// "True" or "False" in any case, or a decimal number (non-zero is true); blanks
// around either are allowed. Anything else is no answer.
inline std::optional<bool> readBoolSetting(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (equalIgnoringAsciiCase(text, "true")) {
        return true;
    }
    if (equalIgnoringAsciiCase(text, "false")) {
        return false;
    }
    if (!decimalNumber(text)) {
        return std::nullopt;
    }
    // Read by its digits, so that no number is too small to be true.
    return text.find_first_of("123456789") != std::string_view::npos;
}

}  // namespace quorvel::settings
