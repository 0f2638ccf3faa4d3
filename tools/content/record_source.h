#pragma once

// A record's fields from one table of a content source, as its field list
// declares them: each with its range, the optional ones only when given, the
// run-time ones never. Checks that need several fields or other records are
// the source readers' own.

#include <concepts>
#include <string>

#include "core/name_codes.h"
#include "core/record_fields.h"
#include "tools/content/toml_fields.h"

namespace qvr::content {

class FieldSourceReader {
public:
    explicit FieldSourceReader(FieldReader& f) : f_(f) {}

    template <std::integral T> void operator()(const Field& field, T& v)
    {
        if (!use(field))
            return;
        std::optional<int64_t> got =
            field.names().empty()
                ? f_.integer(field.key(), field.lo<T>(), field.hi<T>(), need(field))
                : f_.mask(field.key(), field.names(), field.lo<T>(), field.hi<T>(), need(field));
        if (got)
            v = static_cast<T>(*got);
    }
    void operator()(const Field& field, float& v);
    void operator()(const Field& field, std::string& text);
    template <FixedTable Table> void operator()(const Field& field, Table& table)
    {
        using T = std::remove_cvref_t<decltype(TableElement(table, 0))>;
        if (!use(field))
            return;
        auto got = f_.integers(field.key(), TableSize(table), field.lo<T>(), field.hi<T>(),
                               need(field), FirstIndex(table), field.mayEndEarlyInSources());
        for (std::size_t k = 0; got && k < got->size(); ++k)
            TableElement(table, k) = static_cast<T>((*got)[k]);
    }
    void operator()(const Field& field, DiceRef<Dice3> d);
    template <int Hi>
    void operator()(const Field& field, CodedNameRef<Bounded<int16_t, 0, Hi>, std::string> name)
    {
        if (!use(field))
            return;
        std::optional<std::string> text = f_.text(field.key(), 2 * Hi, need(field));
        if (!text)
            return;
        try {
            EncodeNameCodes(*text, name.codes);
        } catch (const GameError& e) {
            f_.fail(field.key(), e.what());
        }
        name.text = *text;
    }

private:
    static bool use(const Field& field) { return !field.isRunTime(); }
    static Need need(const Field& field)
    {
        return field.isOptional() ? Need::Optional : Need::Required;
    }

    FieldReader& f_;
};

// Reads every field a source sets into `record`; call f.finish() after any
// keys the reader takes itself.
template <typename Record> void ReadFields(FieldReader& f, Record& record)
{
    FieldSourceReader io(f);
    Sync(io, record);
}

} // namespace qvr::content
