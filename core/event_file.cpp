#include "core/event_file.h"

#include "core/bytes.h"
#include "core/records.h"

namespace qvr {

namespace {

constexpr int32_t kEventsMagic = 0x45525651; // "QVRE"
constexpr int32_t kEventsVersion = 1;
constexpr int kLastFlag = 100;
// Far above any floors' worth of events; guards the reader against a count
// that would have it reserve gigabytes.
constexpr int32_t kMaxRecords = 65535;

bool isFlag(int n)
{
    return n >= 0 && n <= kLastFlag;
}

bool isItem(int n)
{
    return n >= 1 && n <= kItemCount; // the table's last item is kItemCount itself
}

std::string flagProblem(int n)
{
    return isFlag(n) ? "" : "フラグ " + std::to_string(n) + " はありません（0〜100）";
}

std::string itemProblem(int n)
{
    return isItem(n) ? "" : "アイテム " + std::to_string(n) + " はありません";
}

int32_t count(ByteReader& in, const char* what)
{
    in.setContext(std::string(what) + "の数");
    const int32_t n = in.i32();
    if (n < 0 || n > kMaxRecords)
        in.fail(std::string(what) + "の数 " + std::to_string(n) + " はありえません");
    return n;
}

} // namespace

std::string EventTriggerProblem(const EventTrigger& t, std::size_t conds, std::size_t ops)
{
    if (static_cast<int>(t.set) > static_cast<int>(TriggerSet::After))
        return "きっかけの種類 " + std::to_string(int(t.set)) + " はありません";
    if (t.floor < 1 || t.floor >= kFloorCount || t.x < 0 || t.x >= kMazeSize || t.y < 0 ||
        t.y >= kMazeSize)
        return "場所 " + std::to_string(int(t.floor)) + " 階 (" + std::to_string(int(t.x)) + ", " +
               std::to_string(int(t.y)) + ") は迷宮の外です";
    if (t.facings > 15 || t.passOn > 1)
        return "向きか続きの印がこわれています";
    if (t.item != 0 && !isItem(t.item))
        return itemProblem(t.item);
    if (std::size_t(t.firstCond) + t.condCount > conds || std::size_t(t.firstOp) + t.opCount > ops)
        return "条件か動作の並びが表の外を指しています";
    return "";
}

std::string EventCondProblem(const EventCond& c)
{
    switch (c.code) {
    case CondCode::FlagSet:
    case CondCode::FlagClear:
    case CondCode::FlagBelow:
        return flagProblem(c.a);
    case CondCode::PartyHas:
    case CondCode::PartyLacks:
    case CondCode::RosterLacks:
        return itemProblem(c.a);
    case CondCode::Night:
    case CondCode::Day:
        return "";
    }
    return "条件 " + std::to_string(int(c.code)) + " はありません";
}

std::string EventOpProblem(const EventOp& op)
{
    const OpInfo* info = FindEventOp(op.code);
    if (!info)
        return "動作 " + std::to_string(int(op.code)) + " はありません";
    const int16_t args[3] = {op.a, op.b, op.c};
    if (info->flagArg >= 0)
        if (std::string p = flagProblem(args[info->flagArg]); !p.empty())
            return p;
    if (info->itemArg >= 0)
        if (std::string p = itemProblem(args[info->itemArg]); !p.empty())
            return p;
    return "";
}

std::vector<uint8_t> EncodeEventImage(const EventTable& table)
{
    ByteWriter out;
    out.i32(kEventsMagic);
    out.i32(kEventsVersion);
    out.i32(static_cast<int32_t>(table.triggers.size()));
    for (const EventTrigger& t : table.triggers) {
        out.i16(t.floor);
        out.i16(static_cast<int16_t>(t.set));
        out.i16(t.x);
        out.i16(t.y);
        out.i16(t.facings);
        out.i16(t.item);
        out.i32(t.firstCond);
        out.i16(t.condCount);
        out.i32(t.firstOp);
        out.i16(t.opCount);
        out.i32(t.line);
        out.i16(t.passOn);
    }
    out.i32(static_cast<int32_t>(table.conds.size()));
    for (const EventCond& c : table.conds) {
        out.i16(static_cast<int16_t>(c.code));
        out.i16(c.a);
        out.i16(c.b);
    }
    out.i32(static_cast<int32_t>(table.ops.size()));
    for (const EventOp& o : table.ops) {
        out.i16(static_cast<int16_t>(o.code));
        out.i16(o.a);
        out.i16(o.b);
        out.i16(o.c);
        out.rawText(o.text);
    }
    return std::move(out.bytes());
}

std::shared_ptr<const EventData> DecodeEventImage(std::span<const uint8_t> image,
                                                  const std::string& fileName)
{
    auto data = std::make_shared<EventData>();
    ByteReader in(image, fileName);
    in.setContext("見出し");
    if (in.i32() != kEventsMagic)
        in.fail("迷宮のイベントのファイルではありません");
    if (const int32_t version = in.i32(); version != kEventsVersion)
        in.fail("版 " + std::to_string(version) + " のイベントファイルは読めません");
    // A value that does not fit its field is damage, never a wrapped number.
    auto small = [&](int lo, int hi) {
        const int16_t v = in.i16();
        if (v < lo || v > hi)
            in.fail("値 " + std::to_string(v) + " がありえない大きさです");
        return v;
    };
    auto wide = [&] {
        const int32_t v = in.i32();
        if (v < 0 || v > 65535)
            in.fail("値 " + std::to_string(v) + " がありえない大きさです");
        return static_cast<uint16_t>(v);
    };
    const int32_t triggers = count(in, "きっかけ");
    for (int32_t i = 0; i < triggers; ++i) {
        in.setContext("きっかけ " + std::to_string(i + 1) + " 番");
        EventTrigger t{};
        t.floor = static_cast<uint8_t>(small(0, 255));
        t.set = static_cast<TriggerSet>(small(0, 255));
        t.x = static_cast<int8_t>(small(-128, 127));
        t.y = static_cast<int8_t>(small(-128, 127));
        t.facings = static_cast<uint8_t>(small(0, 255));
        t.item = in.i16();
        t.firstCond = wide();
        t.condCount = static_cast<uint8_t>(small(0, 255));
        t.firstOp = wide();
        t.opCount = static_cast<uint8_t>(small(0, 255));
        t.line = wide();
        t.passOn = static_cast<uint8_t>(small(0, 1));
        data->triggers.push_back(t);
    }
    const int32_t conds = count(in, "条件");
    for (int32_t i = 0; i < conds; ++i) {
        in.setContext("条件 " + std::to_string(i + 1) + " 番");
        EventCond c{};
        c.code = static_cast<CondCode>(small(0, 255));
        c.a = in.i16();
        c.b = in.i16();
        if (std::string p = EventCondProblem(c); !p.empty())
            in.fail(p);
        data->conds.push_back(c);
    }
    const int32_t ops = count(in, "動作");
    for (int32_t i = 0; i < ops; ++i) {
        in.setContext("動作 " + std::to_string(i + 1) + " 番");
        EventOp o{};
        o.code = static_cast<OpCode>(small(0, 255));
        o.a = in.i16();
        o.b = in.i16();
        o.c = in.i16();
        if (std::string p = EventOpProblem(o); !p.empty())
            in.fail(p);
        data->ops.push_back(o);
        data->texts.push_back(in.rawText());
    }
    in.setContext("ファイルの終わり");
    if (in.remaining() != 0)
        in.fail("最後の動作のあとに " + std::to_string(in.remaining()) + " バイト余っています");
    for (std::size_t i = 0; i < data->triggers.size(); ++i)
        if (std::string p =
                EventTriggerProblem(data->triggers[i], data->conds.size(), data->ops.size());
            !p.empty())
            throw GameError(fileName + "（きっかけ " + std::to_string(i + 1) + " 番）: " + p);
    // The texts are in their final place only now.
    for (std::size_t i = 0; i < data->ops.size(); ++i)
        data->ops[i].text = data->texts[i];
    data->table = {data->triggers, data->conds, data->ops};
    return data;
}

} // namespace qvr
