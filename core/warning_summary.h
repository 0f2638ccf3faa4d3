#pragma once

// The settings window's warnings as it shows them. A QVR.ini of garbage
// gives thousands, and a window that listed them all would grow past the
// screen and push its buttons off it.

#include <cstddef>
#include <string>
#include <vector>

namespace qvr {

inline constexpr std::size_t kShownWarnings = 5;

// The first kShownWarnings warnings, a line each, and when there are more a
// last line that counts the rest; empty when there are none.
std::string WarningSummary(const std::vector<std::string>& warnings);

} // namespace qvr
