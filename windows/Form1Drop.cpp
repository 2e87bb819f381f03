// Form1 as a drop target: one folder, .dbc or .dbf dragged from the file manager is taken as
// the source, as the command line's path is at start-up.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "modules/app/ErrorReport.h"
#include "modules/app/ReportingProcedure.h"
#include "windows/Form1.h"

namespace windows {
namespace {

// The local path a drag carries when it carries exactly one file or folder; else empty.
QString draggedPath(const QMimeData* data)
{
    if (data == nullptr || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return QString();
    return data->urls().constFirst().toLocalFile();
}

bool isSourceDrag(const QDropEvent& event)
{
    const QString path = draggedPath(event.mimeData());
    return !path.isEmpty() && foxpro::isSourcePath(path);
}

}  // namespace

void Form1::Form_OLEDragDrop(const QString& path)
{
    enum Line : int { TakeSource = 100, GoOn = 102 };
    app::ErrorReportBox report{box()};
    app::ReportingProcedure p{app::reportLocation("Form1", "Form_OLEDragDrop"), report};
    foxpro::GivenSource dropped;
    p.step(TakeSource, [&] {
        dropped = foxpro::sourceForGivenPath(path);
        takeSource(dropped);
    });
    p.step(GoOn, [&] {
        PushButton2_Click();
        tickGivenTable(dropped);
    });
}

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    if (isSourceDrag(*event))
        event->acceptProposedAction();
}

void Form1::dragMoveEvent(QDragMoveEvent* event)
{
    if (isSourceDrag(*event))
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event)
{
    const QString path = draggedPath(event->mimeData());
    if (path.isEmpty() || !foxpro::isSourcePath(path))
        return;
    event->acceptProposedAction();
    // After the drop has finished: the file manager waits on it, and "Next >" may walk a large
    // folder tree and show message boxes.
    QTimer::singleShot(0, this, [this, path] { Form_OLEDragDrop(path); });
}

bool Form1::passFileDrag(QEvent* event)
{
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (drag->mimeData() == nullptr || !drag->mimeData()->hasUrls())
                return false;  // dragged text goes into the box as usual
            if (event->type() == QEvent::Drop)
                dropEvent(drag);
            else
                dragMoveEvent(static_cast<QDragMoveEvent*>(event));
            return true;
        }
        default:
            return false;
    }
}

}  // namespace windows
