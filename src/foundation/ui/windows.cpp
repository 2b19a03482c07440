#include "windows.h"

#include <map>
#include <vector>

namespace bv::windows {

namespace {
struct Registry {
    std::map<std::type_index, QWidget *> byType;
    std::vector<QWidget *> inOrder;
};

Registry &registry()
{
    static Registry r;
    return r;
}
}  // namespace

void adopt(std::type_index type, QWidget *window)
{
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    registry().byType[type] = window;
    registry().inOrder.push_back(window);
}

QWidget *find(std::type_index type)
{
    const auto it = registry().byType.find(type);
    return it == registry().byType.end() ? nullptr : it->second;
}

void destroyAll()
{
    Registry &r = registry();
    // Last created first: later windows may refer to earlier ones.
    for (auto it = r.inOrder.rbegin(); it != r.inOrder.rend(); ++it)
        delete *it;
    r.inOrder.clear();
    r.byType.clear();
}

}  // namespace bv::windows
