// Numbered statements: run, report a failure with its number, go on with the next statement.
#include "modules/app/ReportingProcedure.h"

#include <exception>
#include <utility>

namespace app {

ReportingProcedure::ReportingProcedure(QString location, FailureReport& report, QString title)
    : mLocation(std::move(location)), mLog(report), mTitle(std::move(title))
{}

bool ReportingProcedure::step(int line, const std::function<void()>& statement, StepOption option)
{
    mLine = line;
    try {
        statement();
        return true;
    } catch (...) {
        report(line, currentFailureDescription());
        if (option == StopLoopOnFailure)
            mStopLoop = true;
        return false;
    }
}

bool ReportingProcedure::test(int line, const std::function<bool()>& condition)
{
    mLine = line;
    try {
        return condition();
    } catch (...) {
        report(line, currentFailureDescription());
        return true;
    }
}

void ReportingProcedure::loop(int line, const std::function<bool()>& condition,
                              const std::function<void()>& body)
{
    const bool outerStop = mStopLoop;  // loops may nest; each ends on its own failures
    mStopLoop = false;
    for (;;) {
        mLine = line;
        bool conditionFailed = false;
        bool holds = true;
        try {
            holds = condition();
        } catch (...) {
            report(line, currentFailureDescription());
            conditionFailed = true;
        }
        if (!holds)
            break;
        body();
        if (conditionFailed || mStopLoop)
            break;
    }
    mStopLoop = outerStop;
}

void ReportingProcedure::report(int line, const QString& description)
{
    mLine = line;
    mLog.report({line, mLocation, description, mTitle});
}

QString currentFailureDescription()
{
    if (!std::current_exception())
        return QStringLiteral("Unknown error");
    try {
        throw;
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

}  // namespace app
