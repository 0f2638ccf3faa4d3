#include "core/warning_summary.h"

namespace qvr {

std::string WarningSummary(const std::vector<std::string>& warnings)
{
    std::string text;
    for (std::size_t i = 0; i < warnings.size() && i < kShownWarnings; ++i)
        text += (i ? "\n" : "") + warnings[i];
    if (warnings.size() > kShownWarnings)
        text +=
            "\nほかに " + std::to_string(warnings.size() - kShownWarnings) + " 件の警告があります";
    return text;
}

} // namespace qvr
