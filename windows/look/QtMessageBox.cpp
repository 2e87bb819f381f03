// QMessageBox behind the message-box port.
#include "windows/look/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace look {

QString displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void QtMessageBox::show(const QString& text, int style, const QString& title)
{
    const QMessageBox::Icon icon =
        style == app::kStyleWarning ? QMessageBox::Warning : QMessageBox::NoIcon;
    QMessageBox box(icon, title, displayText(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtMessageBox::ask(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Question, title, displayText(text),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace look
