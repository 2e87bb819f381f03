// Each failure of a procedure the command runs becomes one line on standard error: the
// description alone, without the report's location and e-mail request, which mean nothing to
// a script, and with its control characters written as escapes (withoutControls).
#pragma once

#include "modules/app/Failure.h"

namespace cli {

class TerminalProgress;

class OneLineReports : public app::FailureReport
{
public:
    // progress: a progress line to take off the terminal before each report, if any.
    explicit OneLineReports(TerminalProgress* progress = nullptr) : mProgress(progress) {}
    void report(const app::Failure& failure) override;

private:
    TerminalProgress* mProgress;
};

}  // namespace cli
