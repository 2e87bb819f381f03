// Skins as Qt style sheets. Qt accepts any text in setStyleSheet and only warns ("Could not
// parse stylesheet") when a widget is polished, so a sheet is checked on a probe widget with
// those warnings caught.
#include "windows/look/SkinFramework.h"

#include <stdexcept>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QStringDecoder>
#include <QWidget>

namespace look {
namespace {

// A style sheet for two small windows is a few KiB; anything this large is not a skin.
constexpr qint64 kMaxSkinSize = 512 * 1024;

// Marks windows already skinned, so the automatic skin is applied once per window.
constexpr char kSkinnedProperty[] = "quorvaneSkinned";

bool gParseFailed = false;
QtMessageHandler gPreviousHandler = nullptr;

void catchParseWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QStringLiteral("Could not parse")))
        gParseFailed = true;
    else if (gPreviousHandler)
        gPreviousHandler(type, context, message);
}

[[noreturn]] void fail(const QString& path, const QString& why)
{
    throw std::runtime_error(
        QStringLiteral("The skin %1 cannot be loaded: %2").arg(path, why).toStdString());
}

}  // namespace

bool isValidStyleSheet(const QString& sheet)
{
    gParseFailed = false;
    gPreviousHandler = qInstallMessageHandler(catchParseWarnings);
    {
        QWidget probe;
        probe.setStyleSheet(sheet);
        probe.ensurePolished();
    }
    qInstallMessageHandler(gPreviousHandler);
    gPreviousHandler = nullptr;
    return !gParseFailed;
}

SkinFramework::SkinFramework(QObject* parent) : QObject(parent) {}

void SkinFramework::loadSkin(const QString& path, const QString& iniFileName)
{
    if (!iniFileName.isEmpty())
        fail(path, QStringLiteral("a skin holds one style, so the section %1 does not exist")
                       .arg(iniFileName));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(path, file.errorString());
    if (file.size() > kMaxSkinSize)
        fail(path, QStringLiteral("it is %1 bytes; a skin is at most %2")
                       .arg(file.size())
                       .arg(kMaxSkinSize));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString sheet = utf8.decode(file.readAll());
    if (utf8.hasError())
        fail(path, QStringLiteral("it is not UTF-8 text"));
    if (!isValidStyleSheet(sheet))
        fail(path, QStringLiteral("it is not a valid Qt style sheet"));
    mStyleSheet = sheet;
    mLoaded = true;
}

void SkinFramework::applyWindow(QWidget& window)
{
    if (!mLoaded)
        throw std::runtime_error("No skin is loaded, so none can be applied to the window.");
    skin(window);
    if ((mAutoApplyNewWindows || mAutoApplyDialogs) && !mWatching) {
        qApp->installEventFilter(this);
        mWatching = true;
    }
}

void SkinFramework::skin(QWidget& window) const
{
    if (mApplyOptions & ApplyFrame)
        window.setAttribute(Qt::WA_StyledBackground, true);
    window.setStyleSheet(mStyleSheet);
    window.setProperty(kSkinnedProperty, true);
}

bool SkinFramework::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!widget->isWindow() || widget->property(kSkinnedProperty).toBool())
        return false;
    const bool dialog = qobject_cast<QDialog*>(widget) != nullptr;
    if (dialog ? mAutoApplyDialogs : mAutoApplyNewWindows)
        skin(*widget);
    return false;
}

}  // namespace look
