// The faces a key-script case fixes: taken in order per roll, checked against
// the die, and left over ones reported so that a case cannot silently stop
// meeting the roll it names.

#include <gtest/gtest.h>

#include "core/error.h"
#include "core/fixed_rolls.h"

namespace qvr {
namespace {

TEST(FixedRolls, FacesAreTakenInOrderPerRollAndCheckedAgainstTheDie)
{
    FixedRolls fixed;
    EXPECT_EQ(fixed.apply(FixedRoll::Opening, 17, 1, 30), 17); // nothing fixed: the draw
    fixed.fix(FixedRoll::Opening, 4);
    fixed.fix(FixedRoll::Opening, 3);
    fixed.fix(FixedRoll::Chest, 1);
    EXPECT_FALSE(fixed.empty());
    EXPECT_EQ(fixed.apply(FixedRoll::ChestTrap, 9, 1, 38), 9); // another roll's faces stay
    EXPECT_EQ(fixed.apply(FixedRoll::Opening, 17, 1, 30), 4);
    EXPECT_EQ(fixed.unused(), (std::vector<std::string>{"opening 3", "chest 1"}));
    EXPECT_EQ(fixed.apply(FixedRoll::Opening, 17, 1, 30), 3);
    EXPECT_EQ(fixed.apply(FixedRoll::Opening, 17, 1, 30), 17);
    EXPECT_EQ(fixed.apply(FixedRoll::Chest, 20, 1, 30), 1);
    EXPECT_TRUE(fixed.empty());

    // A face its die cannot show is the case's mistake, said at once.
    for (int32_t face : {0, 31}) {
        fixed.fix(FixedRoll::Opening, face);
        EXPECT_THROW(fixed.apply(FixedRoll::Opening, 5, 1, 30), GameError) << face;
    }
    fixed.fix(FixedRoll::ChestTrap, 38);
    EXPECT_EQ(fixed.apply(FixedRoll::ChestTrap, 9, 1, 38), 38);

    for (std::string_view name : kFixedRollNames)
        EXPECT_TRUE(FixedRollNamed(name)) << name;
    EXPECT_FALSE(FixedRollNamed("damage"));
    EXPECT_FALSE(FixedRollNamed(""));
}

} // namespace
} // namespace qvr
