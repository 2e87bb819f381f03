// The catalogue as plain items and as printed lines.
#include "foxpro/CatalogueListing.h"

#include "foxpro/Foxpro.h"

namespace foxpro {

std::vector<CatalogueItem> ListCatalogue(const ConnectionSettings& settings)
{
    CatalogueItems list;
    AddTablesToFoxproListbox(list, BuildFoxproConnectionString(settings), settings);
    return std::move(list.items);
}

int PrintFolderCatalogue(const QString& folder, QTextStream& out)
{
    ConnectionSettings settings;
    settings.option1 = false;
    settings.text2 = folder;
    const std::vector<CatalogueItem> items = ListCatalogue(settings);
    for (const CatalogueItem& item : items)
        out << item.query << QLatin1Char('\n');
    out.flush();
    return static_cast<int>(items.size());
}

}  // namespace foxpro
