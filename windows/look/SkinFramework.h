// The window skin: a Qt style sheet loaded from a file and applied to windows.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace look {

// The four operations the start-up drives, in its order:
//     skin.loadSkin(path, QString());                       // read and check the style sheet
//     skin.setApplyOptions(skin.applyOptions() | SkinFramework::ApplyFrame);
//     skin.setAutoApplyNewWindows(true);  skin.setAutoApplyDialogs(true);
//     skin.applyWindow(window);
class SkinFramework : public QObject
{
public:
    // ApplyFrame: the window's own background is painted from the skin too, not only its controls.
    enum ApplyOption { ApplyFrame = 1 };

    explicit SkinFramework(QObject* parent = nullptr);

    // Reads the style sheet at path (UTF-8 text). iniFileName names a section of a
    // multi-style skin; "" takes the file as one style, the only kind supported, so any other
    // value throws. Throws std::runtime_error naming the file when it cannot be read, is too
    // big, is not UTF-8 text, or the style engine rejects it. A failed load keeps the skin
    // loaded before.
    void loadSkin(const QString& path, const QString& iniFileName);

    int applyOptions() const { return mApplyOptions; }
    void setApplyOptions(int options) { mApplyOptions = options; }

    // Windows first shown after applyWindow() (the table selection window) get the skin too.
    void setAutoApplyNewWindows(bool on) { mAutoApplyNewWindows = on; }
    // Dialogs and message boxes first shown after applyWindow() get the skin too.
    void setAutoApplyDialogs(bool on) { mAutoApplyDialogs = on; }

    // Restyles the window and its controls. Throws std::runtime_error when no skin is loaded.
    void applyWindow(QWidget& window);

    const QString& styleSheet() const { return mStyleSheet; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void skin(QWidget& window) const;

    QString mStyleSheet;
    bool mLoaded = false;
    int mApplyOptions = 0;
    bool mAutoApplyNewWindows = false;
    bool mAutoApplyDialogs = false;
    bool mWatching = false;
};

// True when the style engine parses sheet without complaint.
bool isValidStyleSheet(const QString& sheet);

}  // namespace look
