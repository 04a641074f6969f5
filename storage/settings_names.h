#pragma once
// Where every stored setting lives: application, section and key. Names compare
// without regard to case, so one spelling serves both "Opts" and "opts".

#include <optional>
#include <string>
#include <string_view>

#include "platform/product_info.h"
#include "platform/settings_store.h"

namespace quorvel::settings {

inline constexpr std::string_view Application = product::SettingsApplication;
inline constexpr std::string_view FileSection = "File";
inline constexpr std::string_view OptionsSection = "Opts";
inline constexpr std::string_view StartUpSection = "StartUpQ";

inline constexpr SettingName SaveFile{Application, FileSection, "Save"};
inline constexpr SettingName ImportFile{Application, FileSection, "Import"};
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
    const auto equalsWord = [text](std::string_view word) {
        if (text.size() != word.size()) {
            return false;
        }
        for (std::size_t i = 0; i < word.size(); ++i) {
            const char c = text[i];
            if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c) != word[i]) {
                return false;
            }
        }
        return true;
    };
    if (equalsWord("true")) {
        return true;
    }
    if (equalsWord("false")) {
        return false;
    }
    std::size_t at = text[0] == '+' || text[0] == '-' ? 1 : 0;
    bool anyDigit = false;
    bool nonZero = false;
    bool seenPoint = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (c >= '0' && c <= '9') {
            anyDigit = true;
            nonZero = nonZero || c != '0';
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    return nonZero;
}

}  // namespace quorvel::settings
