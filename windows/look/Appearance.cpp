// Button-face background and the skin, applied once per window load.
#include "windows/look/Appearance.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

#include "modules/app/Main.h"
#include "windows/look/SkinFramework.h"

namespace look {
namespace {

bool isPlainControl(const QWidget& control)
{
    return qobject_cast<const QRadioButton*>(&control) ||
           qobject_cast<const QCheckBox*>(&control) || qobject_cast<const QGroupBox*>(&control) ||
           qobject_cast<const QLabel*>(&control);
}

void paintBackground(QWidget& widget, const QColor& color)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, color);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

}  // namespace

QColor buttonFaceColor()
{
    return QApplication::palette().color(QPalette::Button);
}

void PaintFormBackground(QWidget& window)
{
    const QColor face = buttonFaceColor();
    paintBackground(window, face);
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->window() == &window && isPlainControl(*control))
            paintBackground(*control, face);
    }
}

QString skinPath()
{
    return app::programFolder() + QStringLiteral("/x/o.cjs");
}

void ApplySkin(QWidget& window, SkinFramework& skin)
{
    const QString path = skinPath();
    if (!QFileInfo(path).isFile())
        return;
    PaintFormBackground(window);
    skin.loadSkin(path, QString());
    skin.setApplyOptions(skin.applyOptions() | SkinFramework::ApplyFrame);
    skin.setAutoApplyNewWindows(true);
    skin.setAutoApplyDialogs(true);
    skin.applyWindow(window);
}

}  // namespace look
