#include "core/save_check.h"

#include <bit>
#include <concepts>
#include <cstdio>
#include <optional>

#include "core/record_fields.h"

namespace qvr {

namespace {

std::string hexText(long bits)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%lX", static_cast<unsigned long>(bits));
    return text;
}

// The codes of a code table, "1, 2, 4, 8".
std::string codeList(long bits)
{
    std::string list;
    for (long bit = 1; bit > 0 && bit <= bits; bit <<= 1)
        if (bits & bit)
            list += (list.empty() ? "" : ", ") + std::to_string(bit);
    return list;
}

// Why `v` may not stand in the field, or nothing when it may.
template <std::integral T> std::optional<std::string> whyNot(const Field& f, long v)
{
    if (long codes = f.codes()) {
        bool one = v > 0 && std::has_single_bit(static_cast<unsigned long>(v)) && (v & codes);
        if (!one)
            return codeList(codes) + " のどれかひとつのはずです";
        return std::nullopt;
    }
    if (long allowed = f.allowedBits()) {
        if (v < 0 || (v & ~allowed) != 0)
            return hexText(allowed) + " の中のビットだけのはずです";
        return std::nullopt;
    }
    if (f.isRanged() && (v < f.lo<T>() || v > f.hi<T>()))
        return std::to_string(f.lo<T>()) + "〜" + std::to_string(f.hi<T>()) + " のはずです";
    return std::nullopt;
}

// Walks a record's field list and keeps the first value the list does not
// allow.
class FieldCheck {
public:
    template <std::integral T> void operator()(const Field& f, T v) { check<T>(f, f.key(), v); }
    void operator()(const Field&, float) {}
    void operator()(const Field&, const std::string&) {}
    template <FixedTable Table> void operator()(const Field& f, const Table& table)
    {
        using T = std::remove_cvref_t<decltype(TableElement(table, 0))>;
        for (std::size_t k = 0; k < TableSize(table) && !fault; ++k)
            check<T>(f,
                     std::string(f.key()) + "[" +
                         std::to_string(FirstIndex(table) + static_cast<long>(k)) + "]",
                     TableElement(table, k));
    }
    void operator()(const Field&, DiceRef<const Dice3>) {}
    template <typename Codes>
    void operator()(const Field&, CodedNameRef<const Codes, const std::string>)
    {
    }

    std::optional<std::string> fault;

private:
    template <std::integral T> void check(const Field& f, const std::string& name, long v)
    {
        if (fault)
            return;
        if (std::optional<std::string> why = whyNot<T>(f, v))
            fault = name + " が " + std::to_string(v) + " になっています（" + *why + "）";
    }
};

} // namespace

void CheckSavedCharacters(const SaveData& save, const std::string& fileName)
{
    for (int b = 1; b <= kRosterSize; ++b) {
        const Character& c = save.roster[b];
        if (c.rosterNo == 0)
            continue;
        FieldCheck io;
        Sync(io, c);
        if (!io.fault && c.rosterNo != b)
            io.fault = "roster_no が " + std::to_string(c.rosterNo) + " になっています（" +
                       std::to_string(b) + " のはずです）";
        if (io.fault)
            throw GameError(fileName + "（名簿 " + std::to_string(b) + " 番「" + c.name +
                            "」）: " + *io.fault +
                            "。ゲームの中ではありえない値なので、ファイルが壊れています");
    }
}

} // namespace qvr
