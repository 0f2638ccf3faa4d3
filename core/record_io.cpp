#include "core/record_io.h"

#include <array>

#include "core/error.h"
#include "core/name_codes.h"
#include "core/record_fields.h"
#include "core/sjis.h"

namespace qvr {

namespace {

// Reads each field of a record's list in stored order.
class BinaryIn {
public:
    enum class Names { Coded, Decoded };
    explicit BinaryIn(ByteReader& in, Names names = Names::Coded) : in_(in), names_(names) {}

    void operator()(const Field&, int16_t& v) { v = in_.i16(); }
    void operator()(const Field&, int32_t& v) { v = in_.i32(); }
    void operator()(const Field&, float& v) { v = in_.f32(); }
    void operator()(const Field&, std::string& text) { text = readText(); }
    template <FixedTable Table> void operator()(const Field&, Table& table) { in_.read(table); }
    void operator()(const Field&, DiceRef<Dice3> d) { in_.read(d.dice); }
    // The stored text is empty as the game writes it; decoding appends the
    // codes' text to whatever it holds.
    template <typename Codes> void operator()(const Field&, CodedNameRef<Codes, std::string> name)
    {
        std::size_t codesAt = in_.position();
        in_.read(name.codes);
        name.text = readText();
        if (names_ == Names::Coded)
            return;
        try {
            name.text += DecodeNameCodes(name.codes);
        } catch (const BadNameCode& e) {
            in_.failAt(codesAt + 2 * static_cast<std::size_t>(e.index), e.what());
        }
    }

private:
    std::string readText()
    {
        std::string raw = in_.rawText();
        try {
            return sjisDecode(raw);
        } catch (const TextError& e) {
            in_.fail("文字列の " + std::to_string(e.offset() + 1) +
                     " バイト目から先が Shift_JIS の文字として読めません");
        }
    }

    ByteReader& in_;
    Names names_;
};

class BinaryOut {
public:
    explicit BinaryOut(ByteWriter& out) : out_(out) {}

    void operator()(const Field&, int16_t v) { out_.i16(v); }
    void operator()(const Field&, int32_t v) { out_.i32(v); }
    void operator()(const Field&, float v) { out_.f32(v); }
    void operator()(const Field&, const std::string& text) { out_.rawText(sjisEncode(text)); }
    template <FixedTable Table> void operator()(const Field&, const Table& table)
    {
        out_.write(table);
    }
    void operator()(const Field&, DiceRef<const Dice3> d) { out_.write(d.dice); }
    // The codes carry the name; the text field stays empty.
    template <typename Codes>
    void operator()(const Field&, CodedNameRef<const Codes, const std::string> name)
    {
        out_.write(name.codes);
        out_.rawText({});
    }

private:
    ByteWriter& out_;
};

template <typename Record>
void readRecord(ByteReader& in, Record& r, BinaryIn::Names names = BinaryIn::Names::Coded)
{
    BinaryIn io(in, names);
    Sync(io, r);
}

template <typename Record> void writeRecord(ByteWriter& out, const Record& r)
{
    BinaryOut io(out);
    Sync(io, r);
}

// The places of a recipe's columns, in stored order, from its field list.
template <typename Value> class RecipeColumns {
public:
    explicit RecipeColumns(std::array<Value*, kRecipeColumns>& cells) : cells_(cells) {}
    void operator()(const Field&, Value& v) { add(v); }
    template <FixedTable Table> void operator()(const Field&, Table& table)
    {
        for (Value& v : table)
            add(v);
    }

private:
    void add(Value& v)
    {
        if (n_ >= cells_.size())
            throw GameError("内部エラー: 合成表の列が多すぎます");
        cells_[n_++] = &v;
    }
    std::array<Value*, kRecipeColumns>& cells_;
    std::size_t n_ = 0;
};

template <typename Value, typename Recipe> std::array<Value*, kRecipeColumns> columnsOf(Recipe& r)
{
    std::array<Value*, kRecipeColumns> cells{};
    RecipeColumns<Value> io(cells);
    Sync(io, r);
    return cells;
}

} // namespace

void ReadRecipeTable(ByteReader& in, Bounded<RecipeDef, 0, kRecipeCount>& recipes)
{
    for (int column = 0; column < kRecipeColumns; ++column)
        for (RecipeDef& r : recipes)
            *columnsOf<int16_t>(r)[static_cast<std::size_t>(column)] = in.i16();
}

void WriteRecipeTable(ByteWriter& out, const Bounded<RecipeDef, 0, kRecipeCount>& recipes)
{
    for (int column = 0; column < kRecipeColumns; ++column)
        for (const RecipeDef& r : recipes)
            out.i16(*columnsOf<const int16_t>(r)[static_cast<std::size_t>(column)]);
}

void ReadCharacter(ByteReader& in, Character& c)
{
    readRecord(in, c);
}
void ReadCharacterDecoding(ByteReader& in, Character& c)
{
    readRecord(in, c, BinaryIn::Names::Decoded);
}
void WriteCharacter(ByteWriter& out, const Character& c)
{
    writeRecord(out, c);
}
void ReadMonster(ByteReader& in, MonsterDef& m)
{
    readRecord(in, m);
}
void ReadMonsterDecoding(ByteReader& in, MonsterDef& m)
{
    readRecord(in, m, BinaryIn::Names::Decoded);
}
void WriteMonster(ByteWriter& out, const MonsterDef& m)
{
    writeRecord(out, m);
}
void ReadItem(ByteReader& in, ItemDef& item)
{
    readRecord(in, item);
}
void ReadItemDecoding(ByteReader& in, ItemDef& item)
{
    readRecord(in, item, BinaryIn::Names::Decoded);
}
void WriteItem(ByteWriter& out, const ItemDef& item)
{
    writeRecord(out, item);
}
void ReadSpell(ByteReader& in, SpellDef& spell)
{
    readRecord(in, spell);
}
void WriteSpell(ByteWriter& out, const SpellDef& spell)
{
    writeRecord(out, spell);
}
void ReadTrap(ByteReader& in, TrapDef& trap)
{
    readRecord(in, trap);
}
void WriteTrap(ByteWriter& out, const TrapDef& trap)
{
    writeRecord(out, trap);
}
void ReadNpcShop(ByteReader& in, NpcShopDef& shop)
{
    readRecord(in, shop);
}
void WriteNpcShop(ByteWriter& out, const NpcShopDef& shop)
{
    writeRecord(out, shop);
}

} // namespace qvr
