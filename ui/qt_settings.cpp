#include "ui/qt_settings.h"

#include <QSettings>
#include <QString>

namespace qvr {

namespace {

QString path(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + u'/' + QString::fromStdString(key);
}

} // namespace

QtSettingsStore::QtSettingsStore() : settings_(std::make_unique<QSettings>("QVR", "QVR")) {}

QtSettingsStore::QtSettingsStore(const QString& filePath)
    : settings_(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<std::string> QtSettingsStore::value(const std::string& section,
                                                  const std::string& key) const
{
    QVariant v = settings_->value(path(section, key));
    if (!v.isValid())
        return std::nullopt;
    return v.toString().toStdString();
}

void QtSettingsStore::setValue(const std::string& section, const std::string& key,
                               const std::string& value)
{
    settings_->setValue(path(section, key), QString::fromStdString(value));
    // The window's geometry is written as the game closes; do not leave it to
    // an event loop that is about to end.
    settings_->sync();
}

} // namespace qvr
