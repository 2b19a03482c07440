#include "admin_pages.h"

#include "backup.h"
#include "log.h"
#include "pages.h"
#include "phone.h"
#include "setting.h"
#include "users.h"
#include "windows.h"

namespace bv {

void registerAdminPages()
{
    pages::registerPage(QStringLiteral("N8"),
                        {[]() -> QDialog & { return windows::get<users>(); },
                         [](const PageRights &rights) { windows::get<users>().applyRights(rights); },
                         [] { windows::get<users>().resetFilters(); }});
    pages::registerPage(QStringLiteral("N9"),
                        {[]() -> QDialog & { return windows::get<bv::log>(); }, {},
                         [] { windows::get<bv::log>().resetFilters(); }});
    pages::registerPage(QStringLiteral("N19"),
                        {[]() -> QDialog & { return windows::get<phone>(); },
                         [](const PageRights &rights) { windows::get<phone>().applyRights(rights); },
                         [] { windows::get<phone>().prepare(); }});
    pages::registerPage(QStringLiteral("N4"),
                        {[]() -> QDialog & { return windows::get<setting>(); },
                         [](const PageRights &rights) { windows::get<setting>().applyRights(rights); },
                         [] { windows::get<setting>().prepare(); }});
    pages::registerPage(QStringLiteral("N10"), {[]() -> QDialog & { return windows::get<backup>(); }});
}

}  // namespace bv
