// A message box that records what the user would have seen, installed for its lifetime.
#pragma once

#include <functional>
#include <vector>

#include <QString>

#include "modules/app/MessageBox.h"

namespace testsupport {

class RecordingMessageBox : public app::MessageBox
{
public:
    struct Shown
    {
        QString text;
        int style = 0;
        QString title;
    };

    RecordingMessageBox() { app::setMessageBox(this); }
    ~RecordingMessageBox() override { app::setMessageBox(nullptr); }
    RecordingMessageBox(const RecordingMessageBox&) = delete;
    RecordingMessageBox& operator=(const RecordingMessageBox&) = delete;

    void show(const QString& text, int style, const QString& title) override
    {
        shown.push_back({text, style, title});
        if (onShow)
            onShow(shown.back());
    }

    // Texts alone, in the order shown.
    std::vector<QString> texts() const
    {
        std::vector<QString> result;
        for (const Shown& box : shown)
            result.push_back(box.text);
        return result;
    }

    std::vector<Shown> shown;
    // Called while the box is "open" (e.g. to look at the window's pointer at that moment).
    std::function<void(const Shown&)> onShow;
};

}  // namespace testsupport
