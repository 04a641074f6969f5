#pragma once
// The local clock and the user's date and time forms, from Windows.

#include "platform/clock.h"

namespace quorvel {

class Win32Clock final : public Clock {
  public:
    DateTime now() override;
    std::uint64_t milliseconds() override;
};

// Formats with the user's regional settings; an impossible date gives "".
class Win32Locale final : public Locale {
  public:
    std::string shortDate(const DateTime& when) const override;
    std::string longTime(const DateTime& when) const override;
    std::string monthName(int month) const override;
};

}  // namespace quorvel
