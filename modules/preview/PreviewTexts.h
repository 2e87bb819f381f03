// Every text the preview and the table list's details show, kept together so that tests can
// compare them byte for byte.
#pragma once

#include <vector>

#include <QString>

#include "components/database/ObjectDetails.h"
#include "modules/export/RemoteConsent.h"

namespace preview {

// What an item holds, one fact a line: a table's path, records, fields, file size, last
// change and code page, or its path and why its header cannot be read; a view's kind and the
// first line of its SQL. The last change is local time.
QString detailsText(const database::ObjectDetails& details);
// The details when the source itself cannot be opened.
QString sourceUnreadableText(const QString& reason);

// A cell holding Null (as FoxPro shows it), and a cell whose value cannot be read.
inline constexpr char kNullText[] = ".NULL.";
inline constexpr char kUnreadableText[] = "(cannot be read)";
// The text of a record's header: its number, and that it is deleted.
QString recordHeaderText(long number, bool deleted);
// The cut form of a cell's text for the grid: line breaks shown as a mark, at most a few
// hundred characters, "…" where it was cut.
QString gridText(const QString& whole);

// The columns of the field list, and a field's type in FoxPro's words from its ADO type.
QString fieldColumnTitle(int column);
QString fieldTypeName(int adoType);
QString yesNo(bool yes);

// The code page offered for unmarked text, "850 - DOS Latin 1 (Western Europe)"; and what is
// shown for a marked table, which offers no choice.
QString codePageLabel(int codePage);
QString markedCodePageText(int codePage);
inline constexpr char kCodePageChoiceLabel[] = "Read its text as:";

// While the table or view is opened.
inline constexpr char kReadingText[] = "Reading...";
// One line under the grid: how many records and what the grid shows of them.
QString tableStatusText(long records, long shown);
QString viewStatusText(long rows, long kept, bool ended);
// Why nothing is shown: the table or view cannot be opened; the view was stopped while its
// SQL ran; a remote view whose server was not allowed.
QString cannotPreviewText(const QString& reason);
QString stoppedText();
QString remoteNotAllowedText(const QString& server);
// The question before a remote view reaches its server to be previewed: the server as its
// connect string will be sent, and the view.
QString remoteServerQuestion(const std::vector<exporting::RemoteServerUse>& servers);

// The preview window's title and its controls' names, as the screen reader says them too.
QString windowTitle(const QString& item);
inline constexpr char kRecordsName[] = "Records";
inline constexpr char kFieldsName[] = "Fields";
inline constexpr char kWholeValueName[] = "Value of the selected cell";
inline constexpr char kDetailsName[] = "What the table holds";
inline constexpr char kStatusName[] = "Status";
inline constexpr char kCloseText[] = "Close";
inline constexpr char kPreviewActionText[] = "Preview";

}  // namespace preview
