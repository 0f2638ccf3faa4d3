#pragma once

// Helpers for checking the field lists: a filler that gives every listed
// field a value no other field has, and member counts that tell whether a
// list names every member of its record.

#include <cstddef>
#include <set>
#include <string>
#include <utility>

#include "core/name_codes.h"
#include "core/record_fields.h"

namespace qvr::test {

struct FillOptions {
    bool runTime = true;        // false: leave run-time fields at their defaults
    bool codedNameTexts = true; // false: only the codes, as the binary reader leaves them
};

// Values run up from each field's lowest allowed value, skipping 0 (the
// default), so a field that a visitor drops, or reads into its neighbour,
// shows in a comparison.
class FieldFiller {
public:
    explicit FieldFiller(FillOptions options) : options_(options) {}

    template <std::integral T>
    void operator()(const Field& f, T& v)
    {
        if (use(f))
            v = static_cast<T>(next(f.lo<T>(), f.hi<T>()));
    }
    void operator()(const Field& f, float& v)
    {
        if (use(f))
            v = static_cast<float>(next(1, 1000)) + 0.25f;
    }
    void operator()(const Field& f, std::string& text)
    {
        if (use(f))
            text = "T" + std::to_string(next(1, 9999));
    }
    template <FixedTable Table>
    void operator()(const Field& f, Table& table)
    {
        using T = std::remove_cvref_t<decltype(TableElement(table, 0))>;
        for (std::size_t k = 0; use(f) && k < TableSize(table); ++k)
            TableElement(table, k) = static_cast<T>(next(f.lo<T>(), f.hi<T>()));
    }
    void operator()(const Field& f, DiceRef<Dice3> d)
    {
        if (!use(f))
            return;
        long hi = f.hi<int16_t>();
        d.dice = {static_cast<int16_t>(next(1, hi)), static_cast<int16_t>(next(1, hi)),
                  static_cast<int16_t>(next(f.lo<int16_t>(), hi))};
    }
    template <int Hi>
    void operator()(const Field& f, CodedNameRef<Bounded<int16_t, 0, Hi>, std::string> name)
    {
        if (!use(f))
            return;
        std::string text = "名" + std::to_string(next(1, 9999));
        EncodeNameCodes(text, name.codes);
        name.text = options_.codedNameTexts ? text : "";
    }

private:
    bool use(const Field& f) const { return options_.runTime || !f.isRunTime(); }
    long next(long lo, long hi)
    {
        long span = hi - lo + 1;
        long v = lo + (++counter_ % span);
        return v == 0 && span > 1 ? (v + 1 > hi ? lo : v + 1) : v;
    }

    FillOptions options_;
    long counter_ = 0;
};

template <typename Record>
Record Filled(FillOptions options = {})
{
    Record r;
    FieldFiller io(options);
    Sync(io, r);
    return r;
}

// Counts the members a field list names (a coded name is two) and the keys
// that appear more than once.
class MemberCounter {
public:
    template <typename T>
    void operator()(const Field& f, const T&)
    {
        add(f, 1);
    }
    template <typename Codes, typename Text>
    void operator()(const Field& f, CodedNameRef<Codes, Text>)
    {
        add(f, 2);
    }

    std::size_t members = 0;
    std::set<std::string> keys;
    std::set<std::string> repeatedKeys;

private:
    void add(const Field& f, std::size_t n)
    {
        members += n;
        if (!keys.insert(f.key()).second)
            repeatedKeys.insert(f.key());
    }
};

// The number of members of an aggregate: the most initialisers it accepts.
struct AnyValue {
    template <typename T>
    operator T() const;
};
template <typename T, std::size_t... I>
constexpr bool AcceptsInitialisers(std::index_sequence<I...>)
{
    return requires
    {
        T{(void(I), AnyValue{})...};
    };
}
template <typename T, std::size_t N = 0>
constexpr std::size_t AggregateMemberCount()
{
    if constexpr (AcceptsInitialisers<T>(std::make_index_sequence<N + 1>{}))
        return AggregateMemberCount<T, N + 1>();
    else
        return N;
}

} // namespace qvr::test
