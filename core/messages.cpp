#include "core/messages.h"

#include <algorithm>

namespace qvr {

namespace {

const MessageEntry* find(int n)
{
    const auto table = detail::kMessageTable;
    const auto it = std::lower_bound(table.begin(), table.end(), n,
                                     [](const MessageEntry& e, int key) { return e.number < key; });
    if (it == table.end() || it->number != n)
        return nullptr;
    return &*it;
}

} // namespace

std::string_view MessageText(int n)
{
    const MessageEntry* e = find(n);
    return e ? e->text : std::string_view{};
}

bool HasMessageText(int n)
{
    return find(n) != nullptr;
}

std::span<const MessageEntry> AllMessageTexts()
{
    return detail::kMessageTable;
}

} // namespace qvr
