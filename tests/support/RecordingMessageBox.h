// A message box that records what the user would have seen; reports() shows failures in it as
// the windows show them (the error report box).
#pragma once

#include <functional>
#include <vector>

#include <QString>

#include "modules/app/ErrorReport.h"
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

    RecordingMessageBox() = default;
    RecordingMessageBox(const RecordingMessageBox&) = delete;
    RecordingMessageBox& operator=(const RecordingMessageBox&) = delete;

    void show(const QString& text, int style, const QString& title) override
    {
        shown.push_back({text, style, title});
        if (onShow)
            onShow(shown.back());
    }

    // Records the question (style kStyleYesNoDefaultNo) apart from the notices, and gives
    // `answer`.
    bool ask(const QString& text, const QString& title) override
    {
        asked.push_back({text, app::kStyleYesNoDefaultNo, title});
        return answer;
    }

    // Texts alone, in the order shown.
    std::vector<QString> texts() const
    {
        std::vector<QString> result;
        for (const Shown& box : shown)
            result.push_back(box.text);
        return result;
    }

    // Failures shown in this box as error reports.
    app::FailureReport& reports() { return mReports; }

    std::vector<Shown> shown;
    std::vector<Shown> asked;  // questions, in the order asked
    bool answer = false;       // what every question is answered
    // Called while the box is "open" (e.g. to look at the window's pointer at that moment).
    std::function<void(const Shown&)> onShow;

private:
    app::ErrorReportBox mReports{*this};
};

}  // namespace testsupport
