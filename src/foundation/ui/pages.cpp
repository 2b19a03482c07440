#include "pages.h"

#include "interaction.h"

#include <map>

namespace bv::pages {

namespace {
std::map<QString, PageEntry> &registry()
{
    static std::map<QString, PageEntry> entries;
    return entries;
}
}  // namespace

void registerPage(const QString &menuItem, PageEntry entry)
{
    registry()[menuItem] = std::move(entry);
}

const PageEntry *find(const QString &menuItem)
{
    const auto it = registry().find(menuItem);
    return it == registry().end() ? nullptr : &it->second;
}

bool open(const QString &menuItem, const QString &pageKey, const Db &db, const Session &user,
          const std::function<void(QDialog &)> &beforeShow)
{
    const PageEntry *entry = find(menuItem);
    try {
        if (!pageKey.isEmpty()) {
            const std::optional<PageRights> rights = pageRights(db, user.prsId, pageKey);
            if (!rights) {
                ui().message(noAccessMessage);
                return false;
            }
            if (entry && entry->applyRights)
                entry->applyRights(*rights);
            if (!rights->view) {
                ui().message(noAccessMessage);
                return false;
            }
        }
        if (!entry) {
            ui().message(notAvailableMessage);
            return false;
        }
        if (entry->prepare)
            entry->prepare();
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    if (beforeShow)
        beforeShow(entry->window());
    ui().execDialog(entry->window());
    return true;
}

}  // namespace bv::pages
