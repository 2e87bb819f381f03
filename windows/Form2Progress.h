// Form2's side of an export: the progress bar with its text, the hourglass, and the window
// brought back from the task bar at the end.
#pragma once

#include <QProgressBar>

#include "modules/export/ExportProgress.h"

class QWidget;

namespace look {
class WindowPointer;
}

namespace windows {

// A progress bar that shows its format as it stands: QProgressBar would read "%p", "%v" and
// "%m" in a table name as placeholders, and has no way to escape them.
class TextProgressBar final : public QProgressBar
{
public:
    using QProgressBar::QProgressBar;
    QString text() const override { return format(); }
};

class Form2Progress final : public exporting::ExportProgress
{
public:
    // stopAsked: the window's flag that "Stop" and Escape set; read as the run asks.
    Form2Progress(QWidget& window, QProgressBar& bar, look::WindowPointer& pointer,
                  const bool& stopAsked);
    // Leaves the window idle even when the run ended without finish().
    ~Form2Progress() override;

    void start() override;
    void step(const QString& text, double fraction) override;
    void finish() override;
    bool stopAsked() const override { return mStopAsked; }

private:
    QWidget& mWindow;
    QProgressBar& mBar;
    look::WindowPointer& mPointer;
    const bool& mStopAsked;
    bool mStarted = false;
};

}  // namespace windows
