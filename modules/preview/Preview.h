// One preview: a table or view of the source opened for looking, read-only: what it is, its
// fields, its records read as the user scrolls and the code page of its text. Opening never
// throws for what the source or the item holds: status() then says why nothing is shown.
//
//     preview::Preview shown({settings, item, &consent, keepGoing});
//     fieldsView.setModel(&shown.fields());
//     recordsView.setModel(shown.records());  // null when nothing could be read
#pragma once

#include <memory>
#include <optional>

#include <QAbstractItemModel>
#include <QString>

#include "components/rows/KeepGoing.h"
#include "modules/foxpro/ConnectionSettings.h"
#include "modules/foxpro/TableList.h"

namespace database {
class Connection;
}
namespace exporting {
class RemoteConsent;
}

namespace preview {

class FieldModel;
class RecordModel;

struct PreviewRequest
{
    // The source, and the code page of its tables without a mark.
    foxpro::ConnectionSettings settings;
    // What to show: its query names it, its text is what the user sees.
    foxpro::TableItem item;
    // Asked before a remote view reaches its server, as the export asks; null: a remote view
    // shows nothing.
    exporting::RemoteConsent* remoteConsent = nullptr;
    // Asked while a view's SQL runs as the preview opens (it may let window events in); false
    // stops it. Not asked afterwards, as the grid reads on.
    rows::KeepGoing keepGoing = {};
};

// The code page a table's text is read in; marked: its header names it, so there is no choice.
struct CodePageUse
{
    int codePage = 0;
    bool marked = false;
};

class Preview
{
public:
    explicit Preview(const PreviewRequest& request);
    ~Preview();
    Preview(const Preview&) = delete;
    Preview& operator=(const Preview&) = delete;

    // What the item is (detailsText), or why the source cannot be opened.
    const QString& details() const { return mDetails; }
    // The field list; empty when nothing could be opened.
    QAbstractItemModel& fields() const;
    // The records grid; null when nothing could be read.
    QAbstractItemModel* records() const;
    // A table's code page; nullopt for a view, or when nothing could be opened.
    std::optional<CodePageUse> codePage() const { return mCodePage; }
    // One line: how many records and what the grid shows of them, or why nothing is shown.
    QString status() const;
    // True when the request's keepGoing stopped the view while it opened.
    bool stopped() const { return mStopped; }

private:
    void open(const PreviewRequest& request);
    void openView(const PreviewRequest& request, bool remote);

    std::unique_ptr<database::Connection> mConnection;  // before the models: they read from it
    std::unique_ptr<FieldModel> mFields;
    std::unique_ptr<RecordModel> mRecords;
    QString mDetails;
    std::optional<CodePageUse> mCodePage;
    QString mFailure;  // why nothing is shown
    bool mOpening = true;
    bool mStopped = false;
};

}  // namespace preview
