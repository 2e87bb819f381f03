// The progress bar shows a percentage and a text; QProgressBar's format carries the text.
#include "windows/Form2Progress.h"

#include <QWidget>

#include "modules/export/ExportTexts.h"
#include "windows/look/WindowPointer.h"

namespace windows {

Form2Progress::Form2Progress(QWidget& window, QProgressBar& bar, look::WindowPointer& pointer,
                             const bool& stopAsked)
    : mWindow(window), mBar(bar), mPointer(pointer), mStopAsked(stopAsked)
{}

Form2Progress::~Form2Progress()
{
    if (mStarted)
        finish();
}

void Form2Progress::start()
{
    mStarted = true;
    mPointer.setShape(look::kPointerHourglass);
}

void Form2Progress::step(const QString& text, double fraction)
{
    mBar.setValue(qRound(fraction * 100));
    mBar.setFormat(text);
}

void Form2Progress::finish()
{
    mStarted = false;
    mBar.setValue(0);
    mBar.setFormat(QString::fromLatin1(exporting::kProgressIdleText));
    mPointer.setShape(look::kPointerDefault);
    if (mWindow.windowState() & Qt::WindowMinimized)
        mWindow.setWindowState(mWindow.windowState() & ~Qt::WindowMinimized);
}

}  // namespace windows
