// The modal folder picker.
#pragma once

#include <QString>

class QWidget;

namespace windows {

// Shows a modal folder chooser owned by owner, with title above it, opening at startFolder
// ("" leaves the start to the dialog). Only folders can be chosen. Returns the chosen
// folder's full path without a trailing separator (the root stays "/"), or "" when the user
// cancels.
QString BrowseForFolder(QWidget* owner, const QString& title, const QString& startFolder);

// path with trailing separators removed, except the one of the root.
QString withoutTrailingSeparator(const QString& path);

}  // namespace windows
