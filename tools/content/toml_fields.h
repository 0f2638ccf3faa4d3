#pragma once

// Reading one TOML table of a content source with checks: every field has a
// type and a range, unknown keys are refused (a misspelt key would otherwise
// be silently ignored), and every error names the file and the line.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include <toml++/toml.h>

#include "core/error.h"
#include "core/record_fields.h"

namespace qvr::content {

// Broken content: the message carries "file:line: problem".
class SourceError : public GameError {
public:
    using GameError::GameError;
};

std::string lineOf(const std::string& file, const toml::node& node);
[[noreturn]] void fail(const std::string& file, const toml::node& node, const std::string& what);

// Parses a whole source file; syntax errors become SourceErrors.
toml::table ParseSource(const std::filesystem::path& path);

// The array of tables `key` of a parsed file (empty when absent).
std::vector<const toml::table*> TablesOf(const std::string& file, const toml::table& root,
                                         const std::string& key);

// Whether a source must give a field.
enum class Need { Required, Optional };

class FieldReader {
public:
    FieldReader(std::string file, const toml::table& table, std::string what);

    // Each gives nothing for an optional key that is absent.
    std::optional<int64_t> integer(const std::string& key, long lo, long hi, Need need);
    std::optional<double> real(const std::string& key, double lo, double hi, Need need);
    // A text that Windows code page 932 can hold, of at most maxBytes bytes there.
    std::optional<std::string> text(const std::string& key, std::size_t maxBytes, Need need);
    // A fixed table: a list of all `count` values, or a table of the values
    // that are not 0 by their index ({ 22 = 30 }), indexes counted from
    // firstIndex. With `shortList` the list may hold fewer values (at least
    // one); the rest are 0.
    std::optional<std::vector<int64_t>> integers(const std::string& key, std::size_t count, long lo,
                                                 long hi, Need need, long firstIndex = 0,
                                                 bool shortList = false);
    // A bit set, given as a whole number or as a list of the bits' names.
    std::optional<int64_t> mask(const std::string& key, std::span<const BitName> names, long lo,
                                long hi, Need need);
    int16_t integer(const std::string& key, long lo, long hi)
    {
        return static_cast<int16_t>(*integer(key, lo, hi, Need::Required));
    }

    // Refuses keys that no read asked for. Call after reading every field.
    void finish();

    [[noreturn]] void fail(const std::string& key, const std::string& what) const;
    const std::string& file() const { return file_; }
    const toml::table& table() const { return table_; }

private:
    const toml::node* find(const std::string& key, Need need);
    int64_t asInteger(const std::string& key, const toml::node& node, long lo, long hi) const;

    std::string file_;
    const toml::table& table_;
    std::string what_;
    std::set<std::string> seen_;
};

} // namespace qvr::content
