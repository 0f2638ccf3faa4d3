#include "tests/script/case_folder.h"

#include <fstream>
#include <map>
#include <set>
#include <span>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>

#include "core/data_files.h"
#include "core/event_file.h"
#include "core/ini_file.h"
#include "core/messages.h"
#include "core/music.h"
#include "core/name_codes.h"
#include "tools/content/maze_source.h"

namespace qvr::test {

namespace {

uintmax_t inodeOf(const std::filesystem::path& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<uintmax_t>(st.st_ino) : 0;
}

std::string trimmed(std::string s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r'))
        s.pop_back();
    std::size_t start = s.find_first_not_of(' ');
    return start == std::string::npos ? "" : s.substr(start);
}

bool setField(Character& c, const std::string& key, long value)
{
    static const std::pair<const char*, int16_t Character::*> kShort[] = {
        {"class", &Character::classCode}, {"race", &Character::race},
        {"align", &Character::alignment}, {"sex", &Character::sex},
        {"floor", &Character::floor},     {"group", &Character::groupNo},
        {"age", &Character::age},         {"days", &Character::ageDays},
        {"str", &Character::strength},    {"iq", &Character::iq},
        {"piety", &Character::piety},     {"vit", &Character::vitality},
        {"agi", &Character::agility},     {"luck", &Character::luck},
        {"x", &Character::posX},          {"y", &Character::posY}};
    static const std::pair<const char*, int32_t Character::*> kLong[] = {
        {"level", &Character::level},     {"hp", &Character::hp},
        {"maxhp", &Character::maxHp},     {"ac", &Character::ac},
        {"cond", &Character::conditions}, {"exp", &Character::exp},
        {"gold", &Character::gold},       {"special", &Character::specialFlags}};
    for (const auto& [name, field] : kShort)
        if (key == name) {
            c.*field = static_cast<int16_t>(value);
            return true;
        }
    for (const auto& [name, field] : kLong)
        if (key == name) {
            c.*field = static_cast<int32_t>(value);
            if (field == &Character::ac)
                c.baseAc = c.ac;
            return true;
        }
    return false;
}

// "C,S,A": count d sides + addend.
Dice3 diceOf(const std::string& value)
{
    int count = 0, sides = 0, bonus = 0;
    char comma1 = 0, comma2 = 0;
    std::istringstream in(value);
    if (!(in >> count >> comma1 >> sides >> comma2 >> bonus) || comma1 != ',' || comma2 != ',')
        throw std::runtime_error("dice are C,S,A, not " + value);
    return {static_cast<int16_t>(count), static_cast<int16_t>(sides), static_cast<int16_t>(bonus)};
}

std::vector<std::string> splitOn(const std::string& value, char sep)
{
    std::vector<std::string> out;
    std::istringstream in(value);
    std::string part;
    while (std::getline(in, part, sep))
        out.push_back(part);
    return out;
}

// "I:V,I:V": table entries by index, such as resistances.
template <class Table> void setEntries(Table& table, const std::string& value, const char* what)
{
    std::istringstream in(value);
    std::string entry;
    while (std::getline(in, entry, ',')) {
        const std::size_t colon = entry.find(':');
        if (colon == std::string::npos)
            throw std::runtime_error(std::string(what) + ": entries are INDEX:VALUE, not " + entry);
        const int index = std::stoi(entry.substr(0, colon));
        if (index < table.lo || index > table.hi)
            throw std::runtime_error(std::string(what) + ": no entry " + std::to_string(index));
        table[index] = static_cast<int16_t>(std::stoi(entry.substr(colon + 1)));
    }
}

// "A,B,C": numbers, for the action table and the steal items.
std::vector<int> numbersOf(const std::string& value)
{
    std::vector<int> out;
    std::istringstream in(value);
    std::string n;
    while (std::getline(in, n, ','))
        out.push_back(std::stoi(n));
    return out;
}

// A monster of the case's own, so that a battle's transcript holds whatever
// the game's monsters become: it always swings (every action is melee)
// unless its `actions` say otherwise.
void AddMonster(Content& content, const std::string& line)
{
    std::istringstream in(line);
    int number = 0;
    std::string name;
    if (!(in >> number >> name) || number < 1 || number > kMonsterCount)
        throw std::runtime_error("monster: wants a monster number and a name: " + line);
    MonsterDef m{};
    m.present = 1;
    m.rank = 1;
    m.name = m.unknownName = name;
    m.groupDice = {1, 1, 0};
    m.hpDice = {1, 4, 0};
    m.ac = m.ac2 = 10;
    m.agility = m.luck = 5;
    m.attacks = 1;
    m.damageDice = {1, 2, 0};
    for (int k = 1; k <= 20; ++k)
        m.actions[k] = 1;
    std::string field;
    while (in >> field) {
        const std::size_t eq = field.find('=');
        if (eq == std::string::npos)
            throw std::runtime_error("monster: field=value, not " + field);
        const std::string key = field.substr(0, eq);
        const std::string value = field.substr(eq + 1);
        if (key == "unknown")
            m.unknownName = value;
        else if (key == "group")
            m.groupDice = diceOf(value);
        else if (key == "hp")
            m.hpDice = diceOf(value);
        else if (key == "damage")
            m.damageDice = diceOf(value);
        else if (key == "rank")
            m.rank = std::stoi(value);
        else if (key == "ac")
            m.ac = m.ac2 = static_cast<int16_t>(std::stoi(value));
        else if (key == "agi")
            m.agility = static_cast<int16_t>(std::stoi(value));
        else if (key == "attacks")
            m.attacks = static_cast<int16_t>(std::stoi(value));
        else if (key == "reach")
            m.reach = static_cast<int16_t>(std::stoi(value));
        else if (key == "exp")
            m.expValue = std::stoi(value);
        else if (key == "gold")
            m.goldValue = std::stoi(value);
        else if (key == "luck")
            m.luck = static_cast<int16_t>(std::stoi(value));
        else if (key == "str")
            m.strength = static_cast<int16_t>(std::stoi(value));
        else if (key == "kind")
            m.kind = static_cast<int16_t>(std::stoi(value));
        else if (key == "regen")
            m.regen = static_cast<int16_t>(std::stoi(value));
        else if (key == "res")
            setEntries(m.res, value, "monster res");
        else if (key == "chance")
            setEntries(m.chance, value, "monster chance");
        else if (key == "actions") {
            // Fewer than 20 codes repeat in turn down the d20 table.
            const std::vector<int> codes = numbersOf(value);
            if (codes.empty() || codes.size() > 20)
                throw std::runtime_error("monster: actions wants 1..20 codes, not " + value);
            for (int k = 1; k <= 20; ++k)
                m.actions[k] =
                    static_cast<int16_t>(codes[static_cast<std::size_t>(k - 1) % codes.size()]);
        } else if (key == "steal") {
            const std::vector<int> items = numbersOf(value);
            if (items.size() != 2)
                throw std::runtime_error("monster: steal wants COMMON,RARE, not " + value);
            m.stealItems = {static_cast<int16_t>(items[0]), static_cast<int16_t>(items[1])};
        } else
            throw std::runtime_error("monster: no field " + key);
    }
    EncodeNameCodes(m.name, m.nameCodes);
    EncodeNameCodes(m.unknownName, m.unknownNameCodes);
    content.monsters[number] = m;
}

// An item of the case's own, worn by anyone, so that fusion and the
// artificial humans keep their transcripts whatever the catalogue becomes.
void AddItem(Content& content, const std::string& line)
{
    std::istringstream in(line);
    int number = 0;
    ItemDef d{};
    if (!(in >> number >> d.name >> d.unknownName) || number < 1 || number > kItemCount)
        throw std::runtime_error("item: wants an item number, a name and an unknown name: " + line);
    d.itemNo = static_cast<int16_t>(number);
    d.kind = 8;
    d.sexMask = 3;
    d.alignMask = 7;
    d.raceMask = 0x3FF;
    d.classMask = 0x7FFF;
    static const std::pair<const char*, int16_t ItemDef::*> kFields[] = {
        {"kind", &ItemDef::kind},       {"level", &ItemDef::itemLevel},
        {"hit", &ItemDef::hitBonus},    {"attacks", &ItemDef::attacks},
        {"ac", &ItemDef::acBonus},      {"regen", &ItemDef::regen},
        {"wearout", &ItemDef::wearOut}, {"class", &ItemDef::classMask},
        {"cursed", &ItemDef::cursed}};
    std::string field;
    while (in >> field) {
        const std::size_t eq = field.find('=');
        if (eq == std::string::npos)
            throw std::runtime_error("item: field=value, not " + field);
        const std::string key = field.substr(0, eq);
        const std::string value = field.substr(eq + 1);
        bool known = false;
        for (const auto& [name, member] : kFields)
            if (key == name) {
                d.*member = static_cast<int16_t>(std::stoi(value));
                known = true;
            }
        if (key == "dice") {
            d.damageDice = diceOf(value);
            known = true;
        } else if (key == "price") {
            d.price = std::stoi(value);
            known = true;
        }
        if (!known)
            throw std::runtime_error("item: no field " + key);
    }
    EncodeNameCodes(d.name, d.nameCodes);
    EncodeNameCodes(d.unknownName, d.unknownNameCodes);
    content.items[number] = d;
}

// The build's content file, with the case's own floors written over it:
// walks that hold still whatever the real maps and encounters become.
void WriteContent(const std::filesystem::path& dir, const CaseSetup& setup)
{
    const std::filesystem::path built = std::filesystem::path(QVR_BIN_DIR) / kContentFileName;
    if (setup.quietFloors.empty() && setup.calmFloors.empty() && setup.cells.empty() &&
        setup.rocks.empty() && setup.monsters.empty() && setup.encounters.empty() &&
        setup.recipes.empty() && setup.items.empty()) {
        std::filesystem::copy_file(built, dir / kContentFileName);
        return;
    }
    std::string bytes = ReadWholeFile(built);
    Content content;
    DecodeContentImage(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
                       content, kContentFileName);
    auto onFloor = [](int floor) {
        if (floor < 0 || floor >= kFloorCount)
            throw std::runtime_error("floor: no floor " + std::to_string(floor));
        return floor;
    };
    auto calm = [&](int floor) {
        for (int entry = 1; entry <= 1250; ++entry) // every row of the table
            if (content.encounterTable(entry, 2) == floor)
                content.encounterTable(entry, 1) = content.encounterTable(entry, 2) = 0;
    };
    for (int floor : setup.quietFloors) {
        onFloor(floor);
        for (int y = 0; y < kMazeSize; ++y)
            for (int x = 0; x < kMazeSize; ++x)
                content.mazeWalls(floor, y, x) = content.mazeDoors(floor, y, x) =
                    content.mazeCells(floor, y, x) = 0;
        calm(floor);
    }
    for (int floor : setup.calmFloors)
        calm(onFloor(floor));
    // Rock a teleport may reach: no no-teleport mark, unlike the content's.
    for (const auto& [floor, x1, y1, x2, y2] : setup.rocks)
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) {
                content.mazeWalls(onFloor(floor), y, x) = 15;
                content.mazeDoors(floor, y, x) = content.mazeCells(floor, y, x) = 0;
            }
    for (const auto& [floor, x, y, walls, doors] : setup.cells) {
        content.mazeWalls(onFloor(floor), y, x) = static_cast<int16_t>(walls);
        content.mazeDoors(floor, y, x) = static_cast<int16_t>(doors);
    }
    for (const std::string& line : setup.monsters)
        AddMonster(content, line);
    for (const auto& [floor, entry, g1, g2, g3, g4] : setup.encounters) {
        if (entry < 1 || entry > 1250)
            throw std::runtime_error("encounter: no entry " + std::to_string(entry));
        const std::array<int, 7> row{0, floor > 0 ? entry : 0, floor, g1, g2, g3, g4};
        for (int col = 1; col <= 6; ++col)
            content.encounterTable(entry, col) = static_cast<int16_t>(row[col]);
    }
    for (const std::string& line : setup.items)
        AddItem(content, line);
    // A case's recipes replace the whole table, so that no row of the real
    // one shows in its transcript.
    if (!setup.recipes.empty())
        content.recipes = {};
    for (const std::vector<int>& r : setup.recipes) {
        RecipeDef& recipe = content.recipes[r[0]];
        recipe.result = static_cast<int16_t>(r[1]);
        recipe.alternative = static_cast<int16_t>(r[2]);
        for (std::size_t k = 3; k < r.size(); ++k)
            recipe.ingredients[k - 3] = static_cast<int16_t>(r[k]);
    }
    std::vector<uint8_t> image = EncodeContentImage(content);
    WriteWholeFile(dir / kContentFileName, std::string(image.begin(), image.end()));
}

std::span<const uint8_t> bytesOf(const std::string& s)
{
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

const std::filesystem::path kBuilt = QVR_BIN_DIR;
const std::filesystem::path kCaseSources = QVR_SCRIPT_CASES_DIR;

// The build's texts with the case's own written over them, compiled by the
// content compiler's own reader.
MessageTable caseTexts(const CaseSetup& setup)
{
    const std::string built = ReadWholeFile(kBuilt / kTextsFileName);
    MessageTable texts = DecodeMessageImage(bytesOf(built), kTextsFileName);
    if (setup.textFiles.empty())
        return texts;
    std::map<int, std::string> all;
    for (const MessageEntry& e : texts.all())
        all[e.number] = e.text;
    for (const std::string& file : setup.textFiles) {
        const MessageTable own = content::ReadMessageSource(kCaseSources / file);
        for (const MessageEntry& e : own.all())
            all[e.number] = e.text;
    }
    std::vector<MessageEntry> entries;
    for (auto& [number, text] : all)
        entries.push_back({number, std::move(text)});
    return MessageTable(std::move(entries));
}

// One trigger of `from` with its conditions and operations, at the end of `to`.
void appendTrigger(content::MazeEvents& to, const EventTrigger& t, std::span<const EventCond> conds,
                   std::span<const EventOp> ops, std::span<const std::string> texts)
{
    EventTrigger copy = t;
    copy.firstCond = static_cast<uint16_t>(to.conds.size());
    copy.firstOp = static_cast<uint16_t>(to.ops.size());
    for (int i = 0; i < t.condCount; ++i)
        to.conds.push_back(conds[t.firstCond + i]);
    for (int i = 0; i < t.opCount; ++i) {
        EventOp op = ops[t.firstOp + i];
        op.text = {};
        to.ops.push_back(op);
        to.opTexts.push_back(texts[t.firstOp + i]);
    }
    to.triggers.push_back(copy);
}

// The build's events, the floors the case writes events for replaced by the
// case's own, which are checked like the data's (texts, items, encounters,
// rock) against the case's content.
void writeEvents(const std::filesystem::path& dir, const CaseSetup& setup,
                 const MessageTable& texts, bool withContent)
{
    if (setup.eventFiles.empty()) {
        std::filesystem::copy_file(kBuilt / kEventsFileName, dir / kEventsFileName);
        return;
    }
    content::MazeEvents own;
    for (const std::string& file : setup.eventFiles)
        content::ReadEventScript(kCaseSources / file, own);
    if (withContent) {
        const std::string image = ReadWholeFile(dir / kContentFileName);
        Content c;
        DecodeContentImage(bytesOf(image), c, kContentFileName);
        content::CheckEventReferences(c, texts, own);
    }
    std::set<int> floors;
    for (const EventTrigger& t : own.triggers)
        floors.insert(t.floor);
    const std::string built = ReadWholeFile(kBuilt / kEventsFileName);
    std::shared_ptr<const EventData> data = DecodeEventImage(bytesOf(built), kEventsFileName);
    content::MazeEvents merged;
    for (const EventTrigger& t : data->triggers)
        if (!floors.count(t.floor))
            appendTrigger(merged, t, data->conds, data->ops, data->texts);
    for (const EventTrigger& t : own.triggers)
        appendTrigger(merged, t, own.conds, own.ops, own.opTexts);
    std::vector<uint8_t> image = content::EventImage(merged);
    WriteWholeFile(dir / kEventsFileName, std::string(image.begin(), image.end()));
}

} // namespace

std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

CaseSetup ReadCaseSetup(const std::string& script)
{
    CaseSetup setup;
    std::istringstream in(script);
    std::string line;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.empty())
            continue;
        if (line[0] != '#')
            break; // the header ends with the first step
        line = trimmed(line.substr(1));
        std::size_t colon = line.find(':');
        std::string name = line.substr(0, colon);
        std::string value = colon == std::string::npos ? "" : trimmed(line.substr(colon + 1));
        if (name == "exit") {
            setup.exitStatus = std::stoi(value);
        } else if (name == "stderr") {
            setup.stderrHolds.push_back(value);
        } else if (name == "without") {
            setup.without.push_back(value);
        } else if (name == "locked") {
            setup.locked = true;
        } else if (name == "music") {
            std::size_t blank = value.find(' ');
            if (blank == std::string::npos)
                throw std::runtime_error("music: wants a track and a path");
            setup.music.emplace_back(std::stoi(value.substr(0, blank)),
                                     trimmed(value.substr(blank + 1)));
        } else if (name == "ini") {
            std::istringstream words(value);
            std::array<std::string, 3> entry;
            if (!(words >> entry[0] >> entry[1] >> entry[2]))
                throw std::runtime_error("ini: wants a section, a key and a value");
            setup.ini.push_back(entry);
        } else if (name == "stock") {
            std::istringstream entries(value);
            std::string entry;
            while (entries >> entry) {
                std::size_t eq = entry.find('=');
                if (eq == std::string::npos)
                    throw std::runtime_error("stock: wants ITEM=COUNT, not " + entry);
                setup.stock.emplace_back(std::stoi(entry.substr(0, eq)),
                                         std::stoi(entry.substr(eq + 1)));
            }
        } else if (name == "flag") {
            std::istringstream entries(value);
            std::string entry;
            while (entries >> entry) {
                std::size_t eq = entry.find('=');
                if (eq == std::string::npos)
                    throw std::runtime_error("flag: wants FLAG=VALUE, not " + entry);
                setup.flags.emplace_back(std::stoi(entry.substr(0, eq)),
                                         std::stoi(entry.substr(eq + 1)));
            }
        } else if (name == "character") {
            setup.characters.push_back(value);
        } else if (name == "floor") {
            setup.quietFloors.push_back(std::stoi(value));
        } else if (name == "rock") {
            std::istringstream fields(value);
            std::array<int, 5> rect{};
            for (int& f : rect)
                if (!(fields >> f))
                    throw std::runtime_error("rock: wants FLOOR X1 Y1 X2 Y2");
            if (rect[1] < 0 || rect[2] < 0 || rect[3] >= kMazeSize || rect[4] >= kMazeSize)
                throw std::runtime_error("rock: the cells lie outside the floor");
            setup.rocks.push_back(rect);
        } else if (name == "calm") {
            setup.calmFloors.push_back(std::stoi(value));
        } else if (name == "cell") {
            std::istringstream fields(value);
            std::array<int, 5> cell{};
            for (int& f : cell)
                if (!(fields >> f))
                    throw std::runtime_error("cell: wants FLOOR X Y WALLS DOORS");
            setup.cells.push_back(cell);
        } else if (name == "seed") {
            setup.seed = std::stoull(value);
        } else if (name == "monster") {
            setup.monsters.push_back(value);
        } else if (name == "encounter") {
            std::istringstream fields(value);
            std::array<int, 6> row{};
            int read = 0;
            while (read < 6 && fields >> row[static_cast<std::size_t>(read)])
                ++read;
            if (read < 3)
                throw std::runtime_error("encounter: wants FLOOR ENTRY M1 [M2 M3 M4]");
            setup.encounters.push_back(row);
        } else if (name == "events") {
            setup.eventFiles.push_back(value);
        } else if (name == "texts") {
            setup.textFiles.push_back(value);
        } else if (name == "item") {
            setup.items.push_back(value);
        } else if (name == "recipe") {
            std::istringstream fields(value);
            std::vector<int> r;
            for (int v = 0; fields >> v;)
                r.push_back(v);
            if (r.size() < 4 || r.size() > 9 || r[0] < 1 || r[0] > kRecipeCount)
                throw std::runtime_error("recipe: wants ROW RESULT ALT ING1 [.. ING6]");
            setup.recipes.push_back(r);
        } else if (name == "kills") {
            std::istringstream entries(value);
            std::string entry;
            while (entries >> entry) {
                const std::size_t eq = entry.find('=');
                const int monster = eq == std::string::npos ? 0 : std::stoi(entry.substr(0, eq));
                if (monster < 1 || monster > kMonsterCount)
                    throw std::runtime_error("kills: wants MONSTER=COUNT, not " + entry);
                setup.kills.emplace_back(monster, std::stoi(entry.substr(eq + 1)));
            }
        } else if (name == "saved") {
            if (value != "yes" && value != "no")
                throw std::runtime_error("saved: wants yes or no");
            setup.saved = value == "yes";
        }
        // Any other comment is just a comment.
    }
    return setup;
}

void AddCharacter(SaveData& save, const std::string& line)
{
    std::istringstream in(line);
    int rosterNo = 0;
    std::string name;
    if (!(in >> rosterNo >> name) || rosterNo < 1 || rosterNo > kRosterSize)
        throw std::runtime_error("character: wants a roster number 1..50 and a name: " + line);
    Character& c = save.roster[rosterNo];
    c = Character{};
    c.rosterNo = rosterNo;
    c.name = name;
    c.level = 1;
    c.hp = c.maxHp = 10;
    // A character the training grounds could have made: the loader refuses
    // a race, class or alignment that is no code.
    c.race = Race::Human;
    c.classCode = Class::Fighter;
    c.alignment = Align::Lawful;
    std::string field;
    while (in >> field) {
        std::size_t eq = field.find('=');
        if (eq == std::string::npos)
            throw std::runtime_error("character: field=value, not " + field);
        std::string key = field.substr(0, eq);
        std::string value = field.substr(eq + 1);
        if (key == "items" || key == "flags") {
            auto& slots = key == "items" ? c.items : c.itemFlags;
            std::istringstream items(value);
            std::string item;
            for (int slot = 1; std::getline(items, item, ',') && slot <= 12; ++slot)
                slots[slot] = static_cast<int16_t>(std::stoi(item));
            continue;
        }
        if (key == "res") {
            setEntries(c.res, value, "character res");
            continue;
        }
        if (key == "spells" || key == "mp") {
            // S.L.K: school, level and slot known; S.L.N: N spell points at
            // school S, level L (the most as well).
            for (const std::string& entry : splitOn(value, ',')) {
                const std::vector<std::string> parts = splitOn(entry, '.');
                if (parts.size() != 3)
                    throw std::runtime_error("character: " + key + " wants S.L.N, not " + entry);
                const int school = std::stoi(parts[0]);
                const int level = std::stoi(parts[1]);
                const int n = std::stoi(parts[2]);
                if (key == "spells")
                    c.spellKnown(school, level, n) = 1;
                else
                    c.mp(school, level) = c.maxMp(school, level) = static_cast<int16_t>(n);
            }
            continue;
        }
        if (!setField(c, key, std::stol(value)))
            throw std::runtime_error("character: no field " + key);
    }
}

CaseFolder::CaseFolder(const CaseSetup& setup)
{
    auto wanted = [&](const std::string& file) {
        for (const std::string& w : setup.without)
            if (w == file)
                return false;
        return true;
    };
    if (wanted(kContentFileName))
        WriteContent(path(), setup);
    const MessageTable texts = caseTexts(setup);
    if (wanted(kTextsFileName)) {
        std::vector<uint8_t> image = EncodeMessageImage(texts);
        WriteWholeFile(path() / kTextsFileName, std::string(image.begin(), image.end()));
    }
    if (wanted(kEventsFileName))
        writeEvents(path(), setup, texts, wanted(kContentFileName));
    if (wanted(kSaveFileName)) {
        std::vector<uint8_t> image(kSaveFileBytes, 0);
        if (!setup.characters.empty() || !setup.stock.empty() || !setup.flags.empty() ||
            !setup.kills.empty()) {
            SaveData save;
            DecodeSaveImage(image, save, kSaveFileName);
            for (const std::string& line : setup.characters)
                AddCharacter(save, line);
            for (const auto& [item, count] : setup.stock) {
                if (item < 1 || item > kItemCount)
                    throw std::runtime_error("stock: no item " + std::to_string(item));
                save.itemStock[item] = count;
            }
            for (const auto& [flag, v] : setup.flags) {
                if (flag < 0 || flag > 100)
                    throw std::runtime_error("flag: no flag " + std::to_string(flag));
                save.eventFlags[flag] = v;
            }
            for (const auto& [monster, count] : setup.kills)
                save.monsterTally[monster] = count;
            image = EncodeSaveImage(save);
        }
        WriteWholeFile(path() / kSaveFileName, std::string(image.begin(), image.end()));
    }
    if (!setup.music.empty() || !setup.ini.empty()) {
        FolderStore store(path());
        IniFile ini = IniFile::load(store);
        for (const auto& [track, file] : setup.music)
            ini.setValue(kMusicSection, TrackKey(track), file);
        for (const auto& [section, key, value] : setup.ini)
            ini.setValue(section, key, value);
        ini.save(store);
    }
    if (setup.locked) {
        holder_.emplace(path());
        holder_->lock();
    }
    saveInode_ = inodeOf(path() / kSaveFileName);
    firstSave_.open(path() / kSaveFileName, std::ios::binary);
}

bool CaseFolder::saveRewritten() const
{
    return inodeOf(path() / kSaveFileName) != saveInode_ &&
           std::filesystem::exists(path() / kBackupFileName);
}

} // namespace qvr::test
