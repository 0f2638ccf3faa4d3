#pragma once

// The per-user settings store: the version stamp and the main window's
// geometry, kept by section and key as decimal texts. The front end backs it
// with the desktop's settings; tests and the script runner use the memory one.

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace qvr {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> value(const std::string& section,
                                             const std::string& key) const = 0;
    virtual void setValue(const std::string& section, const std::string& key,
                          const std::string& value) = 0;

    // A stored decimal number, or fallback when it is missing or not a number.
    long number(const std::string& section, const std::string& key, long fallback) const;
};

class MemorySettings : public SettingsStore {
public:
    std::optional<std::string> value(const std::string& section,
                                     const std::string& key) const override;
    void setValue(const std::string& section, const std::string& key,
                  const std::string& value) override;

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

} // namespace qvr
