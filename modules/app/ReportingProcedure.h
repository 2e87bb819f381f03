// Numbered statements with the resume-next rules of the uniform error report.
//
// A reporting procedure wraps each numbered statement:
//
//     app::ReportingProcedure p{QStringLiteral("in Quorvane2021/08/31.Form1.Form_Load ")};
//     p.step(126, [&] { ui.Text1->setText(readSetting(Setting::Text1)); });
//     if (p.test(140, [&] { return FileExists(path); }))      // a throwing test is true
//         p.step(142, [&] { PushButton2_Click(); });
//     p.loop(114, [&] { return !rs.EOF(); }, [&] { ... p.step(126, [&] { rs.MoveNext(); },
//                                                           ReportingProcedure::StopLoopOnFailure); });
//
// A failure is any C++ exception; std::exception::what() (UTF-8) is the description, any
// other exception reads "Unknown error". Each failure shows its own report, then the
// procedure goes on with the next statement.
#pragma once

#include <functional>

#include <QString>

namespace app {

class ReportingProcedure
{
public:
    enum StepOption { Continue, StopLoopOnFailure };

    // location: the location text, e.g. "in Quorvane2021/08/31.Form1.Form_Load " (trailing
    // space included). title: the box title (the folder walk passes the application title).
    explicit ReportingProcedure(QString location,
                                QString title = QString::fromLatin1("Application Error"));

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

    // Number of failures reported so far.
    int failures() const { return mFailures; }

    // Line of the statement running now (0 before the first).
    int currentLine() const { return mLine; }

    const QString& location() const { return mLocation; }

    // Reports a failure of the current statement by hand (for a procedure that catches an
    // exception itself, e.g. to switch to a local handler).
    void report(int line, const QString& description);

private:
    QString mLocation;
    QString mTitle;
    int mLine = 0;
    int mFailures = 0;
    bool mStopLoop = false;
};

// The description of the exception being handled (call inside a catch block).
QString currentFailureDescription();

}  // namespace app
