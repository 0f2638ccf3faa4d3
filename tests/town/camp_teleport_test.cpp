// The camp's coordinate teleport: the panel's fields, a cell that turns the
// party back, the wrap at the edges, and targets off every map.

#include <gtest/gtest.h>

#include "camp_fixture.h"
#include "game/main_window.h"
#include "maze/teleport.h"

using namespace qvr;
using namespace qvr::test;
using namespace qvr::test::status;

TEST(TeleportPanel, FieldsTakeDigitsAndMinusOnly)
{
    CampFixture f;
    f.spell(1, "TELE", 44);
    StatusWindow w = f.camp();
    f.prompter->answer({Key::Enter}, "tele");
    f.press(w, {CharKey('S')});
    ASSERT_EQ(w.focus, StatusFocus::Teleport);
    ASSERT_TRUE(w.teleport);
    EXPECT_EQ(w.teleport->fields, (std::array<std::string, 3>{"0", "0", "0"}));
    // The first character replaces the selected "0"; letters go nowhere.
    f.press(w, {CharKey('1'), CharKey('A'), CharKey('2'), Key::Down, Key::Minus, CharKey('Q'),
                CharKey('3'), Key::Down, CharKey('9'), Key::Backspace, CharKey('4')});
    EXPECT_EQ(w.teleport->fields, (std::array<std::string, 3>{"12", "-3", "4"}));
    EXPECT_EQ(w.teleport->value(1), -3);
    TeleportPanel odd;
    odd.fields = {"-", "3-4", "99999999"};
    EXPECT_EQ(odd.value(0), 0);
    EXPECT_EQ(odd.value(1), 3);
    EXPECT_EQ(odd.value(2), 100000);

    f.dismiss();
    f.press(w, {Key::Escape});
    EXPECT_EQ(f.messages(), (std::vector<std::string>{"|おおっと！"}));
    EXPECT_FALSE(w.teleport);
    EXPECT_EQ(w.focus, StatusFocus::Commands);
    EXPECT_FALSE(w.closed());
}

TEST(TeleportPanel, WhereTheJumpEnds)
{
    struct Case {
        const char* what;
        int dx, dy, dz;
        int floor, x, y;     // where the party stands afterwards; floor 0: gone
        const char* message; // how the one message begins
    };
    const char* kRock = "|\n石の中にいる";
    const Case cases[] = {
        {"two floors up", 1, 0, -2, 1, 6, 5, nullptr},
        {"-3 from floor 3 is the moat", 0, 0, -3, 0, 0, 0, "|パーティーは城の堀"},
        {"above the moat is the sky", 0, 0, -5, 0, 0, 0, "|パーティは空中に"},
        {"wraps once", 17, -8, 1, 4, 2, 17, nullptr},
        {"no teleport here", 2, 2, 0, 3, 5, 5, "|パーティーは元の位置に戻された"},
        {"still off after the wrap", 40, 0, 0, 0, 0, 0, kRock},
        {"below the deepest floor", 0, 0, 15, 0, 0, 0, kRock},
        {"far below", 0, 0, 100000, 0, 0, 0, kRock},
        {"into rock", 0, 1, 0, 0, 0, 0, kRock},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        CampFixture f;
        LoadMainWindow(f.game); // a lost party goes back to the castle's panels
        f.content().mazeCells(3, 7, 7) = kNoTeleportBit;
        f.content().mazeWalls(3, 6, 5) = 15;
        f.dismiss();
        EXPECT_EQ(TeleportByOffset(f.game, k.dx, k.dy, k.dz), CampOutcome::Close);
        const GameState& st = f.game.state;
        if (k.floor == 0) {
            EXPECT_EQ(st.partyCount, 0);
        } else {
            EXPECT_EQ(st.floor, k.floor);
            EXPECT_EQ(st.posX, k.x);
            EXPECT_EQ(st.posY, k.y);
            EXPECT_EQ(f.game.character(3).floor, k.floor);
            EXPECT_EQ(f.game.character(3).posY, k.y);
        }
        const std::vector<std::string> shown = f.messages();
        ASSERT_EQ(shown.size(), k.message ? 1u : 0u);
        if (k.message) {
            EXPECT_EQ(shown[0].rfind(k.message, 0), 0u) << shown[0];
        }
        // Turned back is saved once; a lost party is saved on its way to town.
        if (k.floor != 0)
            EXPECT_EQ(f.recorder.saves, k.message ? 1 : 0);
        else
            EXPECT_GE(f.recorder.saves, 1);
    }
}
