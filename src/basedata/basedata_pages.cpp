#include "basedata_pages.h"

#include "abadiha.h"
#include "catalogue.h"
#include "pages.h"
#include "windows.h"

namespace bv {

namespace {
template <CatalogueId Id>
void registerCatalogue(const char *menuItem, bool rightsChecked)
{
    using W = catalogue_of<Id>;
    PageEntry entry{[]() -> QDialog & { return windows::get<W>(); }};
    if (rightsChecked)
        entry.applyRights = [](const PageRights &rights) { windows::get<W>().applyRights(rights); };
    entry.prepare = [] { windows::get<W>().prepare(); };
    pages::registerPage(QString::fromLatin1(menuItem), std::move(entry));
}
}  // namespace

void registerBasedataPages()
{
    registerCatalogue<CatalogueId::arzyabi_items>("N6", true);
    registerCatalogue<CatalogueId::arzyabi_items_gis>("GIS1", true);
    registerCatalogue<CatalogueId::arzyabi_item_tarh>("N16", true);
    registerCatalogue<CatalogueId::arzyabi_item_tafsili>("N21", true);
    registerCatalogue<CatalogueId::arzyabi_item_naghshe>("N17", true);
    registerCatalogue<CatalogueId::arzyabi_item_moshaver>("N18", true);
    registerCatalogue<CatalogueId::naghshe_cheklist>("N25", true);
    registerCatalogue<CatalogueId::naghshe_meghyas>("N26", false);
    pages::registerPage(QStringLiteral("N5"),
                        {[]() -> QDialog & { return windows::get<abadiha>(); },
                         [](const PageRights &rights) { windows::get<abadiha>().applyRights(rights); },
                         [] { windows::get<abadiha>().prepare(); }});
}

}  // namespace bv
