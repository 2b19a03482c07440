#include "dm.h"

namespace bv {

DataModule::DataModule()
    : main_(QStringLiteral("ADOConnection1")), contracts_(QStringLiteral("ADOConnection2")),
      xls_(QStringLiteral("ADOCon_xls"))
{
}

void DataModule::rollbackAbandoned()
{
    for (const Db *db : {&main_, &contracts_, &xls_})
        db->rollbackAbandoned();
}

DataModule &dm()
{
    static DataModule module;
    return module;
}

}  // namespace bv
