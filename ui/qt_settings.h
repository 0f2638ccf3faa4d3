#pragma once

// The per-user settings store on the desktop: QSettings under organisation
// and application "QVR" (~/.config/QVR/QVR.conf, or under $XDG_CONFIG_HOME).
// Sections become groups, so a window title written in Japanese is a group
// name as it stands.

#include <memory>

#include "core/settings.h"

class QSettings;
class QString;

namespace qvr {

class QtSettingsStore : public SettingsStore {
  public:
    QtSettingsStore();
    // A settings file of its own, in the same format: tests, and a game
    // folder that keeps its settings beside it.
    explicit QtSettingsStore(const QString& filePath);
    ~QtSettingsStore() override;

    std::optional<std::string> value(const std::string& section,
                                     const std::string& key) const override;
    void setValue(const std::string& section, const std::string& key,
                  const std::string& value) override;

  private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace qvr
