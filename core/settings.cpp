#include "core/settings.h"

#include <charconv>

namespace qvr {

long SettingsStore::number(const std::string& section, const std::string& key,
                           long fallback) const
{
    std::optional<std::string> text = value(section, key);
    if (!text)
        return fallback;
    long n = 0;
    const char* first = text->data();
    const char* last = first + text->size();
    auto [end, ec] = std::from_chars(first, last, n);
    if (ec != std::errc() || end != last)
        return fallback;
    return n;
}

std::optional<std::string> MemorySettings::value(const std::string& section,
                                                 const std::string& key) const
{
    auto it = values_.find({section, key});
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

void MemorySettings::setValue(const std::string& section, const std::string& key,
                              const std::string& value)
{
    values_[{section, key}] = value;
}

} // namespace qvr
