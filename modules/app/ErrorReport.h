// The uniform error report: its location and text, and the failure report that shows it in a
// box.
#pragma once

#include <QString>

#include "modules/app/Failure.h"

namespace app {

class MessageBox;

// The address users send screenshots to; the one place it is configured.
inline constexpr const char kSupportEmail[] = "support@quorvane.example";

// The project tag of the report locations; the folder walk's reports carry one of their own.
inline constexpr const char kProjectTag[] = "Quorvane2021/08/31";

// The location text of a reporting procedure: "in ", the project tag, ".", the module, ".", the
// procedure and one space. reportLocation("Form1", "Form_Load") is
// "in Quorvane2021/08/31.Form1.Form_Load ".
QString reportLocation(const char* module, const char* procedure,
                       const char* projectTag = kProjectTag);

// Builds the report text exactly: description, CR LF, location, "at line ", number, CR CR,
// "Please email screenshot of this message to " and the address (no full stop).
QString errorReportText(const QString& description, const QString& location, int line);

// Shows each failure as the error report: a box with style 48 and the failure's title, through
// the message box it is given (which the caller keeps alive).
class ErrorReportBox : public FailureReport
{
public:
    explicit ErrorReportBox(MessageBox& box) : mBox(box) {}
    void report(const Failure& failure) override;

private:
    MessageBox& mBox;
};

}  // namespace app
