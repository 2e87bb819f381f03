// Views as row sources: a private SQLite database per view, errors named after the view.
#include "components/views/OpenView.h"

#include "components/foxsql/TranslationError.h"
#include "components/rows/DatabaseError.h"
#include "components/views/ViewDatabase.h"
#include "components/views/ViewRowSource.h"

namespace views {

std::unique_ptr<rows::RowSource> openView(const vfp::Container& container,
                                          const vfp::ContainerView& view,
                                          const rows::KeepGoing& keepGoing)
{
    const std::string description = "The view " + view.name + " of " + container.displayName();
    std::unique_ptr<ViewDatabase> database;
    const foxsql::SourceTable* defined = nullptr;
    try {
        database = std::make_unique<ViewDatabase>(container);
        database->setKeepGoing(keepGoing);
        defined = &database->defineView(view);
    } catch (const foxsql::TranslationError& error) {
        throw rows::DatabaseError(description + " cannot be opened: " + error.what() + ".");
    } catch (const rows::DatabaseError& error) {
        if (database && database->stopped())
            throw rows::Stopped();
        throw rows::DatabaseError(description + " cannot be opened: " + error.what());
    }
    return std::make_unique<ViewRowSource>(std::move(database), *defined, description);
}

}  // namespace views
