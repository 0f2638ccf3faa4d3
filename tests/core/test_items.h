#pragma once

// An item anyone may wear, for tests that need something in a pack: the
// content has no items of its own to lend them.

#include <string>

#include "core/records.h"

namespace qvr::test {

inline ItemDef WearableItem(int16_t no, const std::string& name, int16_t kind,
                            const std::string& unknownName = "？？？")
{
    ItemDef d;
    d.itemNo = no;
    d.name = name;
    d.unknownName = unknownName;
    d.kind = kind;
    d.sexMask = 3;
    d.alignMask = 7;
    d.raceMask = 0x3FF;
    d.classMask = 0x7FFF;
    return d;
}

} // namespace qvr::test
