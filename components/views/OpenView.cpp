// Views as row sources: a private SQLite database per view, errors named after the view.
#include "components/views/OpenView.h"

#include "components/foxsql/TranslationError.h"
#include "components/rows/DatabaseError.h"
#include "components/views/ViewDatabase.h"
#include "components/views/ViewRowSource.h"

namespace database {

std::unique_ptr<RowSource> openView(const vfp::Container& container, const vfp::ContainerView& view,
                                    const KeepGoing& keepGoing)
{
    const std::string description = "The view " + view.name + " of " + container.displayName();
    std::unique_ptr<view::ViewDatabase> database;
    const view::SourceTable* defined = nullptr;
    try {
        database = std::make_unique<view::ViewDatabase>(container);
        database->setKeepGoing(keepGoing);
        defined = &database->defineView(view);
    } catch (const view::TranslationError& error) {
        throw DatabaseError(description + " cannot be opened: " + error.what() + ".");
    } catch (const DatabaseError& error) {
        if (database && database->stopped())
            throw Stopped();
        throw DatabaseError(description + " cannot be opened: " + error.what());
    }
    return std::make_unique<view::ViewRowSource>(std::move(database), *defined, description);
}

}  // namespace database
