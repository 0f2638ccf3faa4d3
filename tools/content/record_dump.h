#pragma once

// A record's fields as "key = value" lines in the content sources' own
// syntax, so that a dump reads like the source it came from and can be fed
// back to the compiler. Run-time fields come out as comments: a source may
// not set them.

#include <concepts>
#include <span>
#include <sstream>
#include <string>

#include "core/record_fields.h"

namespace qvr::content {

// A TOML basic string, quoted and escaped.
std::string QuoteText(const std::string& text);
// A bit set by the names of its bits, or the plain number where a bit has
// no name.
std::string MaskText(long bits, std::span<const BitName> names);
// The shortest decimal that reads back as the same single-precision value.
std::string FormatReal(float v);

class FieldDumper {
public:
    template <std::integral T>
    void operator()(const Field& field, T v)
    {
        line(field, field.names().empty() ? std::to_string(v) : MaskText(v, field.names()));
    }
    void operator()(const Field& field, float v) { line(field, FormatReal(v)); }
    void operator()(const Field& field, const std::string& text) { line(field, QuoteText(text)); }
    // Tables indexed from a declared bound (resistances, effect chances,
    // item slots) come out by index, only the entries that are not 0; the
    // others as a plain list.
    template <FixedTable Table>
    void operator()(const Field& field, const Table& table)
    {
        if constexpr (requires { Table::lo; }) {
            std::string byIndex;
            for (std::size_t k = 0; k < TableSize(table); ++k)
                if (TableElement(table, k) != 0)
                    byIndex += std::string(byIndex.empty() ? " " : ", ") +
                               std::to_string(FirstIndex(table) + static_cast<long>(k)) + " = " +
                               std::to_string(TableElement(table, k));
            line(field, "{" + byIndex + (byIndex.empty() ? "}" : " }"));
        } else {
            std::string list = "[";
            for (std::size_t k = 0; k < TableSize(table); ++k)
                list += (k ? ", " : "") + std::to_string(TableElement(table, k));
            line(field, list + "]");
        }
    }
    void operator()(const Field& field, DiceRef<const Dice3> d) { (*this)(field, d.dice); }
    template <typename Codes>
    void operator()(const Field& field, CodedNameRef<const Codes, const std::string> name)
    {
        line(field, QuoteText(name.text));
    }

    std::string text() const { return out_.str(); }

private:
    void line(const Field& field, const std::string& value)
    {
        out_ << (field.isRunTime() ? "# " : "") << field.key() << " = " << value
             << (field.isRunTime() ? "  (run-time)\n" : "\n");
    }

    std::ostringstream out_;
};

template <typename Record>
std::string DumpFields(const Record& record)
{
    FieldDumper io;
    Sync(io, record);
    return io.text();
}

} // namespace qvr::content
