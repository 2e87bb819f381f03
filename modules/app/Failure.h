// What a reporting procedure reports, and the interface through which it reports it.
//
// A procedure is given a FailureReport, as a long run is given its progress: the windows pass
// one that shows the error report box at once (ErrorReportBox), the batch command one that
// prints a line, tests one that records. The procedure also keeps what failed and gives it
// back, so a caller can tell a complete result from a partial one.
#pragma once

#include <vector>

#include <QString>

namespace app {

// Title of every error report box except the folder walk's.
inline constexpr const char kErrorReportTitle[] = "Application Error";

struct Failure
{
    int statement = 0;    // the number of the statement that failed, e.g. 126
    QString location;     // the procedure's location text, e.g.
                          // "in Quorvane2021/08/31.Form1.Form_Load " (trailing space included)
    QString description;  // what failed, as the failing component said it
    QString title = QString::fromLatin1(kErrorReportTitle);  // the box title, when shown in one
};

using Failures = std::vector<Failure>;

class FailureReport
{
public:
    virtual ~FailureReport() = default;
    // Called once per failure, while the procedure runs; the procedure goes on when it returns.
    virtual void report(const Failure& failure) = 0;
};

// Passes each failure on and keeps it: for a procedure that calls other reporting procedures
// and returns what failed in all of them, in the order it happened.
class FailureLog : public FailureReport
{
public:
    explicit FailureLog(FailureReport& next) : mNext(next) {}
    void report(const Failure& failure) override
    {
        mKept.push_back(failure);
        mNext.report(failure);
    }
    const Failures& failures() const { return mKept; }

private:
    FailureReport& mNext;
    Failures mKept;
};

}  // namespace app
