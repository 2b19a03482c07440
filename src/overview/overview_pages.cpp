#include "overview_pages.h"

#include "nama_koli.h"
#include "pages.h"
#include "windows.h"

namespace bv {

void registerOverviewPages()
{
    pages::registerPage(QStringLiteral("N28"), {[]() -> QDialog & { return windows::get<nama_koli>(); }, {},
                                                [] { windows::get<nama_koli>().prepare(); }});
}

}  // namespace bv
