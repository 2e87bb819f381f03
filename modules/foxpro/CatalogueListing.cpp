// The catalogue as plain items.
#include "modules/foxpro/CatalogueListing.h"

#include "modules/foxpro/Foxpro.h"

namespace foxpro {

std::vector<CatalogueItem> ListCatalogue(const ConnectionSettings& settings)
{
    CatalogueItems list;
    AddTablesToFoxproListbox(list, BuildFoxproConnectionString(settings), settings);
    return std::move(list.items);
}

}  // namespace foxpro
