// The look of the windows: the button-face background and the optional skin.
#pragma once

#include <QColor>
#include <QString>

class QWidget;

namespace look {

class SkinFramework;

// The system's button-face colour (the application palette's button colour).
QColor buttonFaceColor();

// Paints the window and its plain controls (option buttons, check boxes, frames, labels) in
// the button-face colour; text boxes, push buttons, lists and progress bars keep theirs.
void PaintFormBackground(QWidget& window);

// The skin file: the program folder followed by /x/o.cjs.
QString skinPath();

// When the skin file is an ordinary file (a folder of that name does not count), paints the
// window's background and skins it; otherwise changes nothing. Throws what the skin throws
// (a file the style engine rejects); the background is painted by then.
void ApplySkin(QWidget& window, SkinFramework& skin);

}  // namespace look
