// Pointer shapes mapped to Qt cursors, and the hover rule as an event filter.
#include "windows/look/WindowPointer.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

namespace look {

WindowPointer::WindowPointer(QWidget& window) : QObject(&window), mWindow(window)
{
    mWindow.setCursor(cursorFor(mShape));
}

void WindowPointer::setShape(int shape)
{
    if (shape != kPointerHourglass && shape != kPointerCustom)
        shape = kPointerDefault;
    mShape = shape;
    mWindow.setCursor(cursorFor(shape));
}

void WindowPointer::setCustomCursor(const QCursor& cursor)
{
    mCustom = cursor;
    if (mShape == kPointerCustom)
        mWindow.setCursor(cursor);
}

void WindowPointer::hoverSets(QWidget& control, int shape)
{
    mHoverShapes.insert(&control, shape);
    control.setMouseTracking(true);  // moves without a pressed button reach the filter
    control.installEventFilter(this);
}

bool WindowPointer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Enter && event->type() != QEvent::MouseMove)
        return false;
    const auto found = mHoverShapes.constFind(watched);
    if (found == mHoverShapes.constEnd() || mShape == kPointerHourglass)
        return false;
    // A move the control ignored travels on to its parent; over a control the parent's rule
    // must not apply.
    const auto* widget = static_cast<QWidget*>(watched);
    const auto* pointEvent = dynamic_cast<const QSinglePointEvent*>(event);
    const QPoint position =
        pointEvent ? pointEvent->position().toPoint() : widget->mapFromGlobal(QCursor::pos());
    if (widget->childAt(position) == nullptr && mShape != found.value())
        setShape(found.value());
    return false;
}

QCursor WindowPointer::cursorFor(int shape) const
{
    switch (shape) {
        case kPointerHourglass:
            return QCursor(Qt::WaitCursor);
        case kPointerCustom:
            return mCustom.value_or(QCursor(Qt::PointingHandCursor));
        default:
            return QCursor(Qt::ArrowCursor);
    }
}

BusyPointer::BusyPointer(WindowPointer& pointer) : mPointer(pointer)
{
    mPointer.setShape(kPointerHourglass);
}

BusyPointer::~BusyPointer()
{
    mPointer.setShape(kPointerDefault);
}

}  // namespace look
