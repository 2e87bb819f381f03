// What an item of the table list holds, for its tooltip: the details of a table's header or a
// view's definition, read when asked through one connection to the source, opened on first use.
#pragma once

#include <functional>
#include <memory>

#include <QString>

#include "modules/foxpro/ConnectionSettings.h"

namespace database {
class Connection;
}

namespace preview {

class ItemDetails
{
public:
    // settings: the source as the connection setup window holds it when first asked.
    explicit ItemDetails(std::function<foxpro::ConnectionSettings()> settings);
    ~ItemDetails();
    ItemDetails(const ItemDetails&) = delete;
    ItemDetails& operator=(const ItemDetails&) = delete;

    // The details of the table or view query names (detailsText), no record read; why the
    // source cannot be opened or has no such item, when that is so. Never throws.
    QString text(const QString& query);
    // Drops the connection, so the next text opens the source again: after a new list, or a
    // new code page for tables without a mark.
    void forget();

private:
    std::function<foxpro::ConnectionSettings()> mSettings;
    std::unique_ptr<database::Connection> mConnection;
};

}  // namespace preview
