#pragma once
// The product's names and addresses, in one place.

#include <string_view>

namespace quorvel::product {

inline constexpr std::string_view ApplicationTitle = "Quorvel";
inline constexpr std::string_view VersionedName = "Quorvel 2.1";
inline constexpr std::string_view WebDomain = "www.quorvel.example";
inline constexpr std::string_view WebSite = "http://www.quorvel.example/";
// The page the samples open with explorer.exe.
inline constexpr std::string_view SamplePage = "http://www.quorvel.example/samples.htm";
inline constexpr std::string_view SupportEmail = "support@quorvel.example";
inline constexpr std::string_view SuggestionsEmail = "suggestions@quorvel.example";
inline constexpr std::string_view AuthorName = "The Quorvel developers";
inline constexpr std::string_view AuthorEmail = "developers@quorvel.example";

// Settings: application names.
inline constexpr std::string_view SettingsApplication = "Quorvel";
inline constexpr std::string_view CalibrationApplication = "Quorvel 2.1";

}  // namespace quorvel::product
