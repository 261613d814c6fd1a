#include "ui/SettingsFile.h"

#include <QSettings>

namespace millcalc {

QVariantMap readSettings(const QString& file, const QStringList& keys)
{
    QVariantMap values;
    if (file.isEmpty())
        return values;
    const QSettings settings(file, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return values;
    for (const QString& key : keys) {
        if (settings.contains(key))
            values.insert(key, settings.value(key));
    }
    return values;
}

void writeSettings(const QString& file, const QVariantMap& values)
{
    if (file.isEmpty())
        return;
    QSettings settings(file, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return;
    for (auto value = values.begin(); value != values.end(); ++value)
        settings.setValue(value.key(), value.value());
}

} // namespace millcalc
