// The camp as a window: its commands once the maze's are installed, its
// music, and a teleport that ends the camp.

#include <gtest/gtest.h>

#include "camp_fixture.h"
#include "core/shared_screens.h"

using namespace qvr;
using namespace qvr::test;
using namespace qvr::test::status;

TEST(CampWindow, CommandsOfTheAbleTheHelplessAndTheSage)
{
    struct Case {
        int16_t classCode;
        int32_t conditions;
        const char* keys;
    };
    const Case cases[] = {{Class::Fighter, 0, "SETUPDNBRL"},
                          {Class::Sage, 0, "SETUPDIJNBRL"},
                          {Class::Sage, Cond::Afraid, "SETUPDNBRL"},
                          {Class::Sage, Cond::Ashes, "TPNBRL"}};
    for (const Case& k : cases) {
        CampFixture f;
        f.game.character(1).classCode = k.classCode;
        f.game.character(1).conditions = k.conditions;
        std::string keys;
        for (const Row& r : f.camp().commands)
            keys += r.key;
        EXPECT_EQ(keys, k.keys) << k.classCode << " " << k.conditions;
    }
}

TEST(CampWindow, TheCampsTrackWhileItIsOpenThenTheFloorsAgain)
{
    CampFixture f;
    f.prompter->answer({CharKey('L')});
    ShowStatus(f.game, 1, StatusMode::Camp);
    EXPECT_EQ(f.recorder.tracks, (std::vector<int>{kTrackCamp, kTrackMazeUpper}));

    // A window opened in town plays nothing of its own.
    f.recorder.tracks.clear();
    f.prompter->answer({CharKey('L')});
    ShowStatus(f.game, 1, StatusMode::Tavern);
    EXPECT_TRUE(f.recorder.tracks.empty());
}

TEST(CampWindow, EnterInTheTeleportPanelJumpsAndEndsTheCamp)
{
    CampFixture f;
    f.spell(1, "TELE", 44);
    f.prompter->answer({CharKey('S')}); // the status window's keys
    f.prompter->answer({Key::Enter}, "Tele");
    f.prompter->answer({CharKey('2'), Key::Down, Key::Minus, CharKey('1'), Key::Enter});
    ShowStatus(f.game, 1, StatusMode::Camp);
    EXPECT_EQ(f.game.state.posX, 7);
    EXPECT_EQ(f.game.state.posY, 4);
    EXPECT_EQ(f.game.state.floor, 3);
    EXPECT_TRUE(f.prompter->answers.empty());
}
