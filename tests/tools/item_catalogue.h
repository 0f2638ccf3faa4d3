#pragma once

// The real item catalogue, compiled once for the content tests that judge it.

#include <filesystem>
#include <vector>

#include "core/records.h"
#include "tools/content/compile.h"

namespace qvr::test {

inline const std::filesystem::path kContentSources =
    std::filesystem::path(QVR_SOURCE_DIR) / "data/content";

inline const content::Sources& Catalogue()
{
    static const content::Sources sources = content::CompileSources(kContentSources);
    return sources;
}

// Every item the catalogue has, in number order.
inline std::vector<const ItemDef*> CatalogueItems()
{
    std::vector<const ItemDef*> items;
    for (const ItemDef& i : Catalogue().content.items)
        if (i.itemNo != 0)
            items.push_back(&i);
    return items;
}

inline double AverageRoll(const Dice3& d)
{
    return d[0] * (d[1] + 1) / 2.0 + d[2];
}

} // namespace qvr::test
