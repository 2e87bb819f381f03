// The three per-user settings, declared once: QSettings (INI file, user scope), organisation
// "Marrowind", group "Quorvane". Every write is synced to disk at once.
#pragma once

#include <QString>

namespace app {

enum class Setting { FoxproOption, Text1, Text2 };

// The stored text, or defaultValue when the key is absent.
QString readSetting(Setting key, const QString& defaultValue = QString());

// Creates or replaces the value and flushes it to disk before returning.
// Throws std::runtime_error when the settings file cannot be written.
void writeSetting(Setting key, const QString& value);

}  // namespace app
