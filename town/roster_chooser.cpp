#include "town/roster_chooser.h"

#include <functional>
#include <memory>
#include <vector>

#include "core/game.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "core/sjis.h"
#include "rules/character_lists.h"
#include "rules/party_panel.h"
#include "rules/party_rules.h"
#include "town/castle_town.h"

namespace qvr {

namespace {

constexpr int kFullParty = 6;

void showRows(CharacterChooser& chooser, std::vector<Row> rows)
{
    rows.push_back({CharacterChooser::kBackRow, 0, 0, {}});
    chooser.rows = std::move(rows);
    chooser.selected = 0;
}

// Who may still join once the party has begun. A party that already mixes
// good and evil takes nobody more: the opening list lets neutrals in, but a
// party like that was never meant to grow.
int joinMaskOnRelist(int alignments)
{
    switch (alignments) {
    case Align::Neutral:
        return Align::Lawful | Align::Neutral | Align::Chaotic;
    case Align::Lawful | Align::Neutral:
        return Align::Lawful | Align::Neutral;
    case Align::Neutral | Align::Chaotic:
        return Align::Neutral | Align::Chaotic;
    default:
        return 0;
    }
}

bool join(Game& game, CharacterChooser& chooser, int r)
{
    GameState& st = game.state;
    ++st.partyCount;
    Character& c = game.character(r);
    c.floor = -1;
    c.groupNo = st.groupNo;
    c.position = st.partyCount;
    st.partyMember[st.partyCount] = static_cast<int16_t>(r);
    if (st.partyCount >= kFullParty)
        return false;

    const int mask = joinMaskOnRelist(PartyAlignments(game));
    std::vector<Row> rows;
    for (int slot = 1; slot <= kRosterSize; ++slot) {
        const Character& other = game.character(slot);
        if (other.rosterNo > 0 && other.floor == 0 && (other.alignment & mask) != 0)
            AppendSummaryLine(game, slot, rows);
    }
    showRows(chooser, std::move(rows));
    return true;
}

bool resume(Game& game, int r)
{
    if (IsWiped(game, game.character(r).groupNo)) {
        ShowMessage(game, "", "そのパーティーは全滅しています");
        return true;
    }
    return false;
}

bool deleteCharacter(Game& game, int r)
{
    if (!AskYesNo(game, "キャラクターの削除",
                  game.character(r).name + "を削除します　よいですか？"))
        return true;
    Character& c = game.character(r);
    c = game.character(0);
    // The template is blank by design, but a slot must read as free even
    // when the save file's template is not.
    c.rosterNo = 0;
    Save(game);
    return false;
}

bool nameTaken(const Game& game, const std::string& name)
{
    for (int slot = 1; slot <= kRosterSize; ++slot) {
        const Character& c = game.character(slot);
        if (c.rosterNo > 0 && c.name == name)
            return true;
    }
    return false;
}

bool renameCharacter(Game& game, int r)
{
    std::string name = mapInputLookalikes(
        InputText(game, "キャラクターの名前の変更", "新しい名前を入力して下さい"));
    if (name.empty())
        return true;
    if (std::string problem = NameProblem(name); !problem.empty()) {
        ShowMessage(game, "", problem);
        return true;
    }
    if (nameTaken(game, name)) {
        ShowMessage(game, "", "同じ名前のキャラクターがいますよ");
        return true;
    }
    game.character(r).name = name;
    Save(game);
    return false;
}

// Where a record that stood at `slot` stands after the one at `from` has
// been moved to `to`.
int slotAfterMove(int slot, int from, int to)
{
    if (slot == from)
        return to;
    if (from < to && slot > from && slot <= to)
        return slot - 1;
    if (to < from && slot >= to && slot < from)
        return slot + 1;
    return slot;
}

void moveRecord(Game& game, int from, int to)
{
    Character taken = game.character(from);
    for (int slot = from; slot < to; ++slot)
        game.character(slot) = game.character(slot + 1);
    for (int slot = from; slot > to; --slot)
        game.character(slot) = game.character(slot - 1);
    game.character(to) = std::move(taken);
    for (int slot = 1; slot <= kRosterSize; ++slot)
        if (game.character(slot).rosterNo > 0)
            game.character(slot).rosterNo = slot;

    // The party keeps its members wherever their records went.
    GameState& st = game.state;
    for (int i = 1; i <= st.partyCount; ++i)
        st.partyMember[i] = static_cast<int16_t>(slotAfterMove(st.partyMember[i], from, to));
}

// The first choice picks who moves, the second where to; the chooser stays
// open for more moves. Cancelling closes the chooser, and the pending source
// goes with it.
struct Move {
    bool moving = false;
    int source = 0;

    bool choose(Game& game, CharacterChooser& chooser, int r)
    {
        if (!moving) {
            ShowMessage(game, "", game.character(r).name + "を\rどこに移動させますか？");
            moving = true;
            source = r;
            return true;
        }
        moveRecord(game, source, r);
        moving = false;
        source = 0;
        std::vector<Row> rows;
        ListCharacters(game, ChooserMode::Move, rows);
        showRows(chooser, std::move(rows));
        return true;
    }
};

} // namespace

std::string NameProblem(const std::string& name)
{
    const std::vector<Utf8Char> chars = utf8Chars(name);
    for (const Utf8Char& ch : chars)
        if (ch.codePoint < 0x20 || ch.codePoint == 0x7F)
            return "その名前には使えない文字がありますよ";
    if (!sjisEncodable(name))
        return "その名前には使えない文字がありますよ";
    if (chars.size() > static_cast<std::size_t>(kMaxNameLength))
        return "名前は５０文字までですよ";
    return "";
}

int OpenRosterChooser(Game& game, int mode)
{
    using Choose = std::function<bool(Game&, CharacterChooser&, int)>;
    Choose onChoose;
    switch (mode) {
    case ChooserMode::Join:
        if (game.state.partyCount >= kFullParty) {
            ShowMessage(game, "", "これ以上メンバーを増やせません");
            return 0;
        }
        onChoose = join;
        break;
    case ChooserMode::Resume:
        onChoose = [](Game& g, CharacterChooser&, int r) { return resume(g, r); };
        break;
    case ChooserMode::Delete:
        onChoose = [](Game& g, CharacterChooser&, int r) { return deleteCharacter(g, r); };
        break;
    case ChooserMode::Rename:
        onChoose = [](Game& g, CharacterChooser&, int r) { return renameCharacter(g, r); };
        break;
    case ChooserMode::View:
        onChoose = [](Game& g, CharacterChooser&, int r) {
            ShowStatus(g, r, StatusMode::Roster);
            return true;
        };
        break;
    case ChooserMode::Move: {
        auto move = std::make_shared<Move>();
        onChoose = [move](Game& g, CharacterChooser& chooser, int r) {
            return move->choose(g, chooser, r);
        };
        break;
    }
    default:
        break;
    }
    const int chosen = ChooseCharacter(game, mode, std::move(onChoose));
    // Members joined one by one while the chooser was open; the party panel
    // shows them however the chooser was left.
    if (mode == ChooserMode::Join && game.screen.find(kPartyPanel))
        RefreshPartyPanel(game);
    return chosen;
}

} // namespace qvr
