// Opening a preview: the source, the item's details, then the table by record number or the
// view's rows (a remote view only once the consent allowed its server).
#include "modules/preview/Preview.h"

#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "components/rows/DatabaseError.h"
#include "modules/export/RemoteConsent.h"
#include "modules/foxpro/Foxpro.h"
#include "modules/preview/FieldModel.h"
#include "modules/preview/PreviewTexts.h"
#include "modules/preview/TableRecordModel.h"
#include "modules/preview/ViewRecordModel.h"

namespace preview {

Preview::Preview(const PreviewRequest& request)
{
    try {
        open(request);
    } catch (const rows::Stopped&) {
        mStopped = true;
        mFailure = stoppedText();
    } catch (const std::exception& error) {
        mFailure = cannotPreviewText(QString::fromUtf8(error.what()));
    }
    mOpening = false;
    mFields =
        std::make_unique<FieldModel>(mRecords ? mRecords->fieldList() : std::vector<rows::Field>{});
}

Preview::~Preview() = default;

void Preview::open(const PreviewRequest& request)
{
    try {
        mConnection = foxpro::connectFoxpro(request.settings);
    } catch (const rows::DatabaseError& error) {
        mDetails = sourceUnreadableText(QString::fromUtf8(error.what()));
        throw;
    }
    // A view's SQL may run long as the preview opens; once open, the grid reads on without
    // letting window events in from inside its painting.
    mConnection->keepGoing = [this, keepGoing = request.keepGoing] {
        return !mOpening || !keepGoing || keepGoing();
    };
    const database::ObjectDetails details = mConnection->details(request.item.query);
    mDetails = detailsText(details);
    switch (details.kind) {
        case database::ObjectDetails::Kind::Table: {
            auto records =
                std::make_unique<database::RecordsByNumber>(*mConnection, request.item.query);
            mCodePage = CodePageUse{records->codePage(), records->codePageMarked()};
            mRecords = std::make_unique<TableRecordModel>(std::move(records));
            return;
        }
        case database::ObjectDetails::Kind::LocalView:
            openView(request, false);
            return;
        case database::ObjectDetails::Kind::RemoteView:
            openView(request, true);
            return;
    }
}

void Preview::openView(const PreviewRequest& request, bool remote)
{
    if (remote) {
        const database::RemoteUse use = mConnection->remoteUse(request.item.query);
        if (!use.refusal.empty())
            throw rows::DatabaseError(use.refusal);
        const QString server = QString::fromStdString(use.server);
        if (!request.remoteConsent ||
            !request.remoteConsent->allowServers({{server, {request.item.text}}})) {
            mFailure = remoteNotAllowedText(server);
            return;
        }
        mConnection->allowRemoteServers({use.server});
    }
    auto rows = std::make_unique<database::Recordset>();
    rows->Open(QStringLiteral("SELECT * FROM `") + request.item.query + QLatin1Char('`'),
               *mConnection);
    auto model = std::make_unique<ViewRecordModel>(std::move(rows));
    if (!model->failure().isEmpty() && model->rowCount() == 0)
        mFailure = cannotPreviewText(model->failure());
    mRecords = std::move(model);
}

QAbstractItemModel& Preview::fields() const
{
    return *mFields;
}

QAbstractItemModel* Preview::records() const
{
    return mRecords.get();
}

QString Preview::status() const
{
    if (!mFailure.isEmpty() || !mRecords)
        return mFailure;
    return mRecords->statusText();
}

}  // namespace preview
