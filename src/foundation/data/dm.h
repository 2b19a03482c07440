#pragma once
// The data module: one object for the whole run holding the main connection,
// the contracts-register connection and the spreadsheet connection.
#include "db.h"

namespace bv {

class DataModule {
public:
    DataModule();
    Db &main() { return main_; }
    Db &contracts() { return contracts_; }
    Db &xls() { return xls_; }
    // Rolls back what an escaped error left open on any of the connections.
    void rollbackAbandoned();

private:
    Db main_;
    Db contracts_;
    Db xls_;
};

DataModule &dm();

}  // namespace bv
