#pragma once
// The connection procedure: turns the configuration into open connections of
// the data module, showing the system's messages and the settings window when
// a connection cannot be made.
#include "config.h"
#include "db.h"

#include <functional>
#include <optional>

namespace bv {

enum class LoginMode { Internet = 0, Local = 1 };

// The parameters of one side ("Borvinat" for the main database, "Protocol" for
// the contracts register) of the local configuration; nullopt when its
// authentication names no kind this program reaches.
std::optional<ConnectionParams> localParams(const ConnectionConfig &config, const QString &side);
// The parameters of the Internet-mode server; nullopt when not configured.
std::optional<ConnectionParams> internetParams(const ConnectionConfig &config);
// The ODBC connection string of an Access database file.
QString accessConnectionString(const QString &file, const QString &systemType, const QString &password);

struct ConnectionProcedure {
    ConnectionConfig &config;
    Db &main;
    Db &contracts;
    // Shows the settings window modally (the caller's action ends after it).
    std::function<void()> showSettings;
    // When set, a missing SQLite database file is created instead of refused.
    bool createMissingSqliteFile = false;

    // Runs the procedure in `mode`; true when the connections are open.
    bool run(LoginMode mode);
};

}  // namespace bv
