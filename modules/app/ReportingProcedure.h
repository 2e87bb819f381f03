// Numbered statements with the resume-next rules of the uniform error report.
//
// A reporting procedure wraps each numbered statement; its statement numbers are named
// constants of the procedure:
//
//     enum Line : int { RestoreText1 = 126, HandFileExists = 140, GoOn = 142 };
//     app::ReportingProcedure p{app::reportLocation("Form1", "Form_Load"), report};
//     p.step(RestoreText1, [&] { ui.Text1->setText(readSetting(Setting::Text1)); });
//     if (p.test(HandFileExists, [&] { return FileExists(path); }))  // a throwing test is true
//         p.step(GoOn, [&] { PushButton2_Click(); });
//
// A failure is any C++ exception; std::exception::what() (UTF-8) is the description, any
// other exception reads "Unknown error". Each failure goes to the FailureReport at once (the
// windows show the error report box there), is kept, and the procedure goes on with the next
// statement.
#pragma once

#include <functional>

#include <QString>

#include "modules/app/Failure.h"

namespace app {

class ReportingProcedure
{
public:
    enum StepOption { Continue, StopLoopOnFailure };

    // location: the location text (reportLocation), e.g.
    // "in Quorvane2021/08/31.Form1.Form_Load " (trailing space included). report: where each
    // failure goes as it happens; the caller keeps it alive. title: the box title (the folder
    // walk passes the application title).
    ReportingProcedure(QString location, FailureReport& report,
                       QString title = QString::fromLatin1(kErrorReportTitle));

    // Runs one numbered statement. A failure is reported with this line number and the
    // procedure goes on; returns false when the statement failed.
    // With StopLoopOnFailure inside loop(), a failure also ends the enclosing loop after
    // the current pass (a move to the next row that keeps failing cannot spin forever).
    bool step(int line, const std::function<void()>& statement, StepOption option = Continue);

    // Evaluates an if-condition. A failing condition is reported and counts as true, so the
    // caller enters the true branch.
    bool test(int line, const std::function<bool()>& condition);

    // A while-loop: evaluates condition (numbered line) before each pass and runs body while
    // it holds. A failing condition is reported, the body runs once more (the true branch),
    // and then the loop ends, so a condition that keeps failing cannot loop forever.
    void loop(int line, const std::function<bool()>& condition, const std::function<void()>& body);

    // Number of failures reported so far, and the failures themselves in order.
    int failures() const { return int(mLog.failures().size()); }
    const Failures& failed() const { return mLog.failures(); }

    // Line of the statement running now (0 before the first).
    int currentLine() const { return mLine; }

    const QString& location() const { return mLocation; }

    // Reports a failure of the current statement by hand (for a procedure that catches an
    // exception itself, e.g. to switch to a local handler).
    void report(int line, const QString& description);

private:
    QString mLocation;
    FailureLog mLog;  // passes each failure to the report the procedure was given, and keeps it
    QString mTitle;
    int mLine = 0;
    bool mStopLoop = false;
};

// The description of the exception being handled (call inside a catch block).
QString currentFailureDescription();

}  // namespace app
