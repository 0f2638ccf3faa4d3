#pragma once

// A record's fields as "key = value" lines in the content sources' own
// syntax, so that a dump reads like the source it came from and can be fed
// back to the compiler. Run-time fields come out as comments: a source may
// not set them.

#include <concepts>
#include <sstream>
#include <string>

#include "core/record_fields.h"

namespace qvr::content {

// A TOML basic string, quoted and escaped.
std::string QuoteText(const std::string& text);
// The shortest decimal that reads back as the same single-precision value.
std::string FormatReal(float v);

class FieldDumper {
public:
    template <std::integral T>
    void operator()(const Field& field, T v)
    {
        line(field, std::to_string(v));
    }
    void operator()(const Field& field, float v) { line(field, FormatReal(v)); }
    void operator()(const Field& field, const std::string& text) { line(field, QuoteText(text)); }
    template <FixedTable Table>
    void operator()(const Field& field, const Table& table)
    {
        std::string list = "[";
        for (std::size_t k = 0; k < TableSize(table); ++k)
            list += (k ? ", " : "") + std::to_string(TableElement(table, k));
        line(field, list + "]");
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
