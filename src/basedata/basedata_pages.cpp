#include "basedata_pages.h"

#include "abadiha.h"
#include "pages.h"
#include "windows.h"

namespace bv {

void registerBasedataPages()
{
    pages::registerPage(QStringLiteral("N5"),
                        {[]() -> QDialog & { return windows::get<abadiha>(); },
                         [](const PageRights &rights) { windows::get<abadiha>().applyRights(rights); },
                         [] { windows::get<abadiha>().prepare(); }});
}

}  // namespace bv
