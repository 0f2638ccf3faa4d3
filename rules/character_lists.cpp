#include "rules/character_lists.h"

#include "core/codes.h"
#include "core/game.h"
#include "core/textformat.h"
#include "rules/party_rules.h"

namespace qvr {

namespace {

// Which alignments may join a party of this alignment union.
int joinMask(int alignments)
{
    switch (alignments) {
    case 1:
    case 3:
        return 3;
    case 2:
        return 7;
    case 4:
    case 6:
        return 6;
    case 8:
        return 8;
    default:
        return 2;
    }
}

} // namespace

bool ListCharacters(Game& game, int mode, std::vector<Row>& rows)
{
    rows.clear();
    int mask = mode == 1 ? joinMask(PartyAlignments(game)) : 0;
    for (int r = 1; r <= kRosterSize; ++r) {
        const Character& c = game.character(r);
        if (c.rosterNo <= 0)
            continue;
        bool listed = false;
        switch (mode) {
        case 1:
            listed = c.floor == 0 && (c.alignment & mask) != 0;
            break;
        case 2:
            listed = c.floor > 0;
            break;
        case 3:
        case 5:
        case 6:
        case 7:
        case 10:
            listed = true;
            break;
        case 4:
            listed = c.floor == 0;
            break;
        default:
            break;
        }
        if (listed)
            AppendSummaryLine(game, r, rows);
    }
    if (rows.empty() && mode == 1) {
        ShowMessage(game, "", "パーティーを組めるキャラクターがいません");
        return false;
    }
    if (rows.empty() && mode == 2) {
        ShowMessage(game, "", "洞窟の中には誰もいません");
        return false;
    }
    return true;
}

int ChooseCharacter(Game& game, int mode,
                    std::function<bool(Game&, CharacterChooser&, int)> onChoose)
{
    CharacterChooser chooser;
    chooser.mode = mode;
    if (!ListCharacters(game, mode, chooser.rows))
        return 0;
    chooser.rows.push_back({CharacterChooser::kBackRow, 0, 0, {}});
    chooser.selected = 0;
    chooser.onChoose = std::move(onChoose);
    PrompterOf(game).run(game, chooser);
    return chooser.closed() ? chooser.result : 0;
}

std::string SummaryLine(const Game& game, int rosterNo, int lineNo)
{
    const Character& c = game.character(rosterNo);
    std::string line = formatField("!@@", std::to_string(lineNo)) + "）" +
                       formatField("!@@@@@@@@@@@@ ", c.name) + "ＬＶ" +
                       formatField("@@@@@", std::to_string(c.level)) +
                       formatField("! @@@@@", ClassLabel(c.alignment, c.classCode)) +
                       formatField("! @@@ ", RaceAbbrev(c.race));
    line = toFullWidth(line);
    if (c.conditions & Cond::Ashes)
        line += "Ａｓｈｅｓ．";
    else if (c.conditions & Cond::Dead)
        line += "Ｄｅａｄ．";
    if (c.floor > 0)
        line += "Ｏｕｔ";
    return line;
}

void AppendSummaryLine(const Game& game, int rosterNo, std::vector<Row>& rows)
{
    rows.push_back(
        {SummaryLine(game, rosterNo, static_cast<int>(rows.size()) + 1), 0, rosterNo, {}});
}

} // namespace qvr
