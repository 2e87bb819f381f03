// The uniform error report: the text of the box and the box itself.
#pragma once

#include <QString>

namespace app {

// The address users send screenshots to; the one place it is configured.
inline constexpr const char kSupportEmail[] = "support@quorvane.example";

// Title of every error report except the folder walk's.
inline constexpr const char kErrorReportTitle[] = "Application Error";

// Builds the report text exactly: description, CR LF, location, "at line ", number, CR CR,
// "Please email screenshot of this message to " and the address (no full stop).
QString errorReportText(const QString& description, const QString& location, int line);

// Shows the report through messageBox() with style 48 and the given title.
void showErrorReport(const QString& description, const QString& location, int line,
                     const QString& title = QString::fromLatin1(kErrorReportTitle));

}  // namespace app
