// The hover rule: hand over push buttons, arrow over the window, text boxes and frame, no
// change over option buttons, and never over an hourglass.
#include <stdexcept>

#include <gtest/gtest.h>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "tests/support/GuiApp.h"
#include "windows/look/WindowPointer.h"

namespace {

// Creates the application before the fixture's window member.
struct GuiFirst : testing::Test
{
    GuiFirst() { testsupport::ensureGuiApp(); }
};

class WindowPointerTest : public GuiFirst
{
protected:
    void SetUp() override
    {
        window.resize(536, 207);
        frame = new QGroupBox(QStringLiteral("FoxPro Login"), &window);
        frame->setGeometry(8, 40, 520, 125);
        option = new QRadioButton(QStringLiteral("DBC File:"), frame);
        option->setGeometry(16, 23, 81, 17);
        text = new QLineEdit(frame);
        text->setGeometry(144, 20, 321, 23);
        inner = new QPushButton(QStringLiteral("..."), frame);
        inner->setGeometry(472, 20, 32, 23);
        next = new QPushButton(QStringLiteral("Next >"), &window);
        next->setGeometry(8, 173, 520, 27);
        pointer = new look::WindowPointer(window);
        for (QWidget* button : {static_cast<QWidget*>(inner), static_cast<QWidget*>(next)})
            pointer->hoverSets(*button, look::kPointerCustom);
        for (QWidget* plain : {static_cast<QWidget*>(&window), static_cast<QWidget*>(frame),
                               static_cast<QWidget*>(text)})
            pointer->hoverSets(*plain, look::kPointerDefault);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // Moves the mouse to the centre of a control, or to a point of the window.
    void moveOnto(QWidget* control) { QTest::mouseMove(control, control->rect().center()); }
    void moveTo(QPoint point) { QTest::mouseMove(&window, point); }

    QWidget window;
    QGroupBox* frame = nullptr;
    QRadioButton* option = nullptr;
    QLineEdit* text = nullptr;
    QPushButton* inner = nullptr;
    QPushButton* next = nullptr;
    look::WindowPointer* pointer = nullptr;
};

TEST_F(WindowPointerTest, ButtonsSetHandPlainPlacesSetArrow)
{
    moveOnto(next);
    EXPECT_EQ(pointer->shape(), look::kPointerCustom) << "over Next >";
    moveTo({4, 20});
    EXPECT_EQ(pointer->shape(), look::kPointerDefault) << "over the bare window";
    moveOnto(inner);
    EXPECT_EQ(pointer->shape(), look::kPointerCustom) << "over a button inside the frame";
    moveOnto(text);
    EXPECT_EQ(pointer->shape(), look::kPointerDefault) << "over a text box";
    moveOnto(next);
    moveTo(frame->geometry().topLeft() + QPoint(300, 100));
    EXPECT_EQ(pointer->shape(), look::kPointerDefault) << "over the frame's empty area";
}

TEST_F(WindowPointerTest, OptionButtonLeavesTheShapeAsItWas)
{
    moveOnto(next);
    moveOnto(option);
    EXPECT_EQ(pointer->shape(), look::kPointerCustom);
    moveOnto(text);
    moveOnto(option);
    EXPECT_EQ(pointer->shape(), look::kPointerDefault);
}

TEST_F(WindowPointerTest, HoverNeverReplacesTheHourglass)
{
    {
        look::BusyPointer busy{*pointer};
        moveOnto(next);
        EXPECT_EQ(pointer->shape(), look::kPointerHourglass);
        EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
        moveOnto(text);
        EXPECT_EQ(pointer->shape(), look::kPointerHourglass);
    }
    EXPECT_EQ(pointer->shape(), look::kPointerDefault);
    moveOnto(next);
    EXPECT_EQ(pointer->shape(), look::kPointerCustom);
}

TEST_F(WindowPointerTest, BusyPointerIsUndoneWhenAFailurePasses)
{
    try {
        look::BusyPointer busy{*pointer};
        throw std::runtime_error("Could not connect");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(pointer->shape(), look::kPointerDefault);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(WindowPointerTest, ShapesMapToCursors)
{
    pointer->setShape(look::kPointerCustom);
    EXPECT_EQ(window.cursor().shape(), Qt::PointingHandCursor) << "no hand file loaded";
    QPixmap hand(32, 32);
    hand.fill(Qt::red);
    pointer->setCustomCursor(QCursor(hand, 5, 0));
    EXPECT_EQ(window.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(window.cursor().hotSpot(), QPoint(5, 0));
    pointer->setShape(look::kPointerHourglass);
    EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
    pointer->setShape(7);  // not a shape the program uses
    EXPECT_EQ(pointer->shape(), look::kPointerDefault);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
