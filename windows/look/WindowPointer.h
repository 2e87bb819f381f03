// A window's pointer shape (0 default, 11 hourglass, 99 the window's own pointer) and the
// hover rule that switches it as the mouse moves over the window's controls.
#pragma once

#include <optional>

#include <QCursor>
#include <QHash>
#include <QObject>

class QWidget;

namespace look {

constexpr int kPointerDefault = 0;     // the ordinary arrow
constexpr int kPointerHourglass = 11;  // busy
constexpr int kPointerCustom = 99;     // the window's own pointer (the hand)

// Owned by its window (a child QObject). Usage:
//     WindowPointer pointer{*this};
//     pointer.hoverSets(*PushButton2, kPointerCustom);   // hand over a push button
//     pointer.hoverSets(*this, kPointerDefault);         // arrow over the bare window
// A control without a hover rule (an option button) leaves the shape as it is. While the
// shape is the hourglass, hovering changes nothing.
class WindowPointer : public QObject
{
public:
    explicit WindowPointer(QWidget& window);

    int shape() const { return mShape; }
    // 0, 11 or 99 set the window's cursor; any other value counts as 0.
    void setShape(int shape);

    // The pointer for shape 99 (the hand from HAND-M.CUR); without one Qt's pointing hand.
    void setCustomCursor(const QCursor& cursor);

    // Moving the mouse over the control sets the window's shape to `shape`. The window itself
    // and frames count only over their own empty area, not over a control inside them.
    void hoverSets(QWidget& control, int shape);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QCursor cursorFor(int shape) const;

    QWidget& mWindow;
    int mShape = kPointerDefault;
    std::optional<QCursor> mCustom;
    QHash<QObject*, int> mHoverShapes;
};

// The hourglass for a scope: set on construction, back to the default on destruction, so no
// failure path can leave the window busy.
class BusyPointer
{
public:
    explicit BusyPointer(WindowPointer& pointer);
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    WindowPointer& mPointer;
};

}  // namespace look
