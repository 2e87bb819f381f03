// The folder picker on QFileDialog.
#include "windows/BrowseForFolder.h"

#include <QFileDialog>

namespace windows {

QString withoutTrailingSeparator(const QString& path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    return trimmed;
}

QString BrowseForFolder(QWidget* owner, const QString& title, const QString& startFolder)
{
    const QString chosen =
        QFileDialog::getExistingDirectory(owner, title, startFolder, QFileDialog::ShowDirsOnly);
    return chosen.isEmpty() ? QString() : withoutTrailingSeparator(chosen);
}

}  // namespace windows
