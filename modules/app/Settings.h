// The per-user settings, declared once: QSettings (INI file, user scope), organisation
// "Marrowind", group "Quorvane". Every write is synced to disk at once.
#pragma once

#include <QString>

namespace app {

enum class Setting {
    FoxproOption,  // "1" database container, "2" free table folder
    Text1,         // the database container's path
    Text2,         // the free table folder's path
    CodePage,      // the code page of tables without a code-page mark, e.g. "850"
};

// The key's name in the settings file.
QString settingName(Setting key);

// The settings file, for messages that send the user there.
QString settingsFileName();

// The stored text, or defaultValue when the key is absent.
QString readSetting(Setting key, const QString& defaultValue = QString());

// Creates or replaces the value and flushes it to disk before returning.
// Throws std::runtime_error when the settings file cannot be written.
void writeSetting(Setting key, const QString& value);

}  // namespace app
