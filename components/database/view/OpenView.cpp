// Views are listed by the catalogue but not yet run.
#include "components/database/view/OpenView.h"

#include "components/database/DatabaseError.h"

namespace database {

std::unique_ptr<RowSource> openView(const vfp::Container& /*container*/,
                                    const vfp::ContainerView& view,
                                    const QString& /*collatingSequence*/,
                                    const TableOpener& /*openTable*/)
{
    throw DatabaseError(view.name + " is a view; views cannot be opened yet");
}

}  // namespace database
