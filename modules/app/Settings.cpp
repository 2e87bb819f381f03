// The per-user settings in ~/.config/Marrowind/Quorvane.conf (or $XDG_CONFIG_HOME), section
// [Quorvane]; each write reaches the disk before the call returns.
#include "modules/app/Settings.h"

#include <stdexcept>

#include <QSettings>
#include <QStringList>

namespace app {
namespace {

// On Linux the native format is the INI file Marrowind/Quorvane.conf in the user's config
// folder (IniFormat would name it Quorvane.ini).
QSettings openStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Marrowind"),
                     QStringLiteral("Quorvane"));
}

QString statusText(QSettings::Status status)
{
    return status == QSettings::AccessError ? QStringLiteral("it cannot be written")
                                            : QStringLiteral("its contents are not valid");
}

}  // namespace

QString settingName(Setting key)
{
    switch (key) {
        case Setting::FoxproOption:
            return QStringLiteral("FoxproOption");
        case Setting::Text1:
            return QStringLiteral("Text1");
        case Setting::Text2:
            return QStringLiteral("Text2");
        case Setting::CodePage:
            return QStringLiteral("CodePage");
    }
    return QString();
}

QString settingsFileName()
{
    return openStore().fileName();
}

QString readSetting(Setting key, const QString& defaultValue)
{
    QSettings store = openStore();
    store.beginGroup(QStringLiteral("Quorvane"));
    const QVariant value = store.value(settingName(key));
    if (!value.isValid())
        return defaultValue;
    // A hand-edited value with a bare comma reads back as a list; keep the text as it was.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void writeSetting(Setting key, const QString& value)
{
    QSettings store = openStore();
    store.beginGroup(QStringLiteral("Quorvane"));
    store.setValue(settingName(key), value);
    store.sync();
    if (store.status() != QSettings::NoError) {
        throw std::runtime_error(
            QStringLiteral("The setting %1 could not be saved: %2 is not usable (%3). Check that "
                           "the folder exists and that you may write to it.")
                .arg(settingName(key), store.fileName(), statusText(store.status()))
                .toStdString());
    }
}

}  // namespace app
