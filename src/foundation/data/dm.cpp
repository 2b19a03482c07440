#include "dm.h"

namespace bv {

DataModule::DataModule()
    : main_(QStringLiteral("ADOConnection1")), contracts_(QStringLiteral("ADOConnection2")),
      xls_(QStringLiteral("ADOCon_xls"))
{
}

DataModule &dm()
{
    static DataModule module;
    return module;
}

}  // namespace bv
