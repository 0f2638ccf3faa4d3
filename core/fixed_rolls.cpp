#include "core/fixed_rolls.h"

#include "core/error.h"

namespace qvr {

std::optional<FixedRoll> FixedRollNamed(std::string_view name)
{
    for (std::size_t i = 0; i < kFixedRollNames.size(); ++i)
        if (kFixedRollNames[i] == name)
            return static_cast<FixedRoll>(i);
    return std::nullopt;
}

void FixedRolls::fix(FixedRoll which, int32_t face)
{
    queued_[static_cast<std::size_t>(which)].push_back(face);
}

int32_t FixedRolls::apply(FixedRoll which, int32_t drawn, int32_t lowest, int32_t highest)
{
    std::deque<int32_t>& queue = queued_[static_cast<std::size_t>(which)];
    if (queue.empty())
        return drawn;
    const int32_t face = queue.front();
    queue.pop_front();
    if (face < lowest || face > highest)
        throw GameError("the fixed " +
                        std::string(kFixedRollNames[static_cast<std::size_t>(which)]) + " roll " +
                        std::to_string(face) + " is not a face of its die (" +
                        std::to_string(lowest) + ".." + std::to_string(highest) + ")");
    return face;
}

std::vector<std::string> FixedRolls::unused() const
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < queued_.size(); ++i)
        for (int32_t face : queued_[i])
            out.push_back(std::string(kFixedRollNames[i]) + " " + std::to_string(face));
    return out;
}

bool FixedRolls::empty() const
{
    for (const auto& q : queued_)
        if (!q.empty())
            return false;
    return true;
}

} // namespace qvr
