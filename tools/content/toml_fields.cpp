#include "tools/content/toml_fields.h"

#include <charconv>

#include "core/sjis.h"

namespace qvr::content {

std::string lineOf(const std::string& file, const toml::node& node)
{
    return file + ":" + std::to_string(node.source().begin.line);
}

void fail(const std::string& file, const toml::node& node, const std::string& what)
{
    throw SourceError(lineOf(file, node) + ": " + what);
}

toml::table ParseSource(const std::filesystem::path& path)
{
    try {
        return toml::parse_file(path.string());
    } catch (const toml::parse_error& e) {
        throw SourceError(path.string() + ":" + std::to_string(e.source().begin.line) + ": " +
                          std::string(e.description()));
    }
}

std::vector<const toml::table*> TablesOf(const std::string& file, const toml::table& root,
                                         const std::string& key)
{
    std::vector<const toml::table*> tables;
    const toml::node* node = root.get(key);
    if (!node)
        return tables;
    const toml::array* array = node->as_array();
    if (!array)
        fail(file, *node, "\"" + key + "\" must be written as [[" + key + "]] tables");
    for (const toml::node& element : *array) {
        const toml::table* table = element.as_table();
        if (!table)
            fail(file, element, "\"" + key + "\" must be written as [[" + key + "]] tables");
        tables.push_back(table);
    }
    return tables;
}

FieldReader::FieldReader(std::string file, const toml::table& table, std::string what)
    : file_(std::move(file)), table_(table), what_(std::move(what))
{
}

void FieldReader::fail(const std::string& key, const std::string& what) const
{
    const toml::node* node = table_.get(key);
    throw SourceError(lineOf(file_, node ? *node : static_cast<const toml::node&>(table_)) + ": " +
                      what_ + ": " + (key.empty() ? "" : "\"" + key + "\" ") + what);
}

const toml::node* FieldReader::find(const std::string& key, Need need)
{
    seen_.insert(key);
    const toml::node* node = table_.get(key);
    if (!node && need == Need::Required)
        fail("", "lacks \"" + key + "\"");
    return node;
}

int64_t FieldReader::asInteger(const std::string& key, const toml::node& node, long lo,
                               long hi) const
{
    std::optional<int64_t> v = node.value_exact<int64_t>();
    if (!v)
        fail(key, "must be a whole number");
    if (*v < lo || *v > hi)
        fail(key, "is " + std::to_string(*v) + ", outside " + std::to_string(lo) + ".." +
                      std::to_string(hi));
    return *v;
}

std::optional<int64_t> FieldReader::integer(const std::string& key, long lo, long hi, Need need)
{
    const toml::node* node = find(key, need);
    if (!node)
        return std::nullopt;
    return asInteger(key, *node, lo, hi);
}

std::optional<double> FieldReader::real(const std::string& key, double lo, double hi, Need need)
{
    const toml::node* node = find(key, need);
    if (!node)
        return std::nullopt;
    std::optional<double> v = node->value<double>();
    if (!v)
        fail(key, "must be a number");
    if (!(*v >= lo && *v <= hi))
        fail(key, "is outside " + std::to_string(lo) + ".." + std::to_string(hi));
    return v;
}

std::optional<std::string> FieldReader::text(const std::string& key, std::size_t maxBytes,
                                             Need need)
{
    const toml::node* node = find(key, need);
    if (!node)
        return std::nullopt;
    std::optional<std::string> v = node->value_exact<std::string>();
    if (!v)
        fail(key, "must be a text in quotes");
    std::string bytes;
    try {
        bytes = sjisEncode(*v);
    } catch (const GameError& e) {
        fail(key, std::string("cannot be written in Shift_JIS: ") + e.what());
    }
    if (bytes.size() > maxBytes)
        fail(key, "is " + std::to_string(bytes.size()) + " bytes long in Shift_JIS; at most " +
                      std::to_string(maxBytes) + " fit");
    return v;
}

std::optional<std::vector<int64_t>> FieldReader::integers(const std::string& key, std::size_t count,
                                                          long lo, long hi, Need need,
                                                          long firstIndex, bool shortList)
{
    const toml::node* node = find(key, need);
    if (!node)
        return std::nullopt;
    const long lastIndex = firstIndex + static_cast<long>(count) - 1;
    if (const toml::table* byIndex = node->as_table()) {
        std::vector<int64_t> values(count, 0);
        for (const auto& [name, value] : *byIndex) {
            const std::string text(name.str());
            long index = 0;
            auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), index);
            if (ec != std::errc() || end != text.data() + text.size() || index < firstIndex ||
                index > lastIndex)
                fail(key, "has index \"" + text + "\"; indexes run " + std::to_string(firstIndex) +
                              ".." + std::to_string(lastIndex));
            values[static_cast<std::size_t>(index - firstIndex)] = asInteger(key, value, lo, hi);
        }
        return values;
    }
    const toml::array* array = node->as_array();
    if (shortList && array && !array->empty() && array->size() <= count) {
        std::vector<int64_t> values(count, 0);
        for (std::size_t k = 0; k < array->size(); ++k)
            values[k] = asInteger(key, *array->get(k), lo, hi);
        return values;
    }
    if (shortList)
        fail(key, "must be a list of 1.." + std::to_string(count) + " whole numbers");
    if (!array || array->size() != count)
        fail(key, "must be a list of " + std::to_string(count) +
                      " whole numbers, or a table of index = value for indexes " +
                      std::to_string(firstIndex) + ".." + std::to_string(lastIndex));
    std::vector<int64_t> values;
    for (const toml::node& element : *array)
        values.push_back(asInteger(key, element, lo, hi));
    return values;
}

std::optional<int64_t> FieldReader::mask(const std::string& key, std::span<const BitName> names,
                                         long lo, long hi, Need need)
{
    const toml::node* node = find(key, need);
    if (!node)
        return std::nullopt;
    const toml::array* array = node->as_array();
    if (!array)
        return asInteger(key, *node, lo, hi);
    int64_t bits = 0;
    for (const toml::node& element : *array) {
        std::optional<std::string> name = element.value_exact<std::string>();
        const BitName* known = nullptr;
        for (const BitName& n : names)
            if (name && *name == n.name)
                known = &n;
        if (!known) {
            std::string list;
            for (const BitName& n : names)
                list += std::string(list.empty() ? "" : ", ") + n.name;
            fail(key, "must list names of " + list + (name ? "; \"" + *name + "\" is none" : ""));
        }
        bits |= known->bits;
    }
    if (bits < lo || bits > hi)
        fail(key, "is " + std::to_string(bits) + ", outside " + std::to_string(lo) + ".." +
                      std::to_string(hi));
    return bits;
}

void FieldReader::finish()
{
    for (const auto& [key, node] : table_) {
        if (!seen_.count(std::string(key.str())))
            throw SourceError(lineOf(file_, node) + ": " + what_ + ": unknown field \"" +
                              std::string(key.str()) + "\"");
    }
}

} // namespace qvr::content
