// Reading a code page named by the user, and the one setting that names it.
#include "modules/foxpro/CodePageSetting.h"

#include <stdexcept>

#include <QStringList>

#include "components/vfp/CodePage.h"
#include "modules/app/Settings.h"

namespace foxpro {

std::optional<int> codePageFromText(const QString& text)
{
    bool isNumber = false;
    const int codePage = text.trimmed().toInt(&isNumber);
    if (!isNumber || !vfp::isSupportedCodePage(codePage))
        return std::nullopt;
    return codePage;
}

QString codePageChoices()
{
    QStringList pages;
    for (const int page : vfp::supportedCodePages())
        pages.append(QString::number(page));
    return pages.join(QStringLiteral(", "));
}

int readCodePageSetting()
{
    const QString text = app::readSetting(app::Setting::CodePage);
    if (text.trimmed().isEmpty())
        return vfp::kDefaultCodePage;
    if (const std::optional<int> codePage = codePageFromText(text))
        return *codePage;
    throw std::runtime_error(
        QStringLiteral("The setting %1 in %2 holds \"%3\", which is no code page Quorvane can "
                       "read, so tables without a code-page mark are read as Windows-%4. Set it "
                       "to one of %5, or remove it.")
            .arg(app::settingName(app::Setting::CodePage), app::settingsFileName(), text,
                 QString::number(vfp::kDefaultCodePage), codePageChoices())
            .toStdString());
}

void writeCodePageSetting(int codePage)
{
    if (!vfp::isSupportedCodePage(codePage))
        throw std::runtime_error(QStringLiteral("Code page %1 cannot be read; choose one of %2.")
                                     .arg(QString::number(codePage), codePageChoices())
                                     .toStdString());
    app::writeSetting(app::Setting::CodePage, QString::number(codePage));
}

const std::vector<int>& offeredCodePages()
{
    static const std::vector<int> pages{1252, 850,  437, 852, 866, 1250, 1251, 1253,
                                        1254, 1257, 874, 932, 936, 949,  950};
    return pages;
}

}  // namespace foxpro
