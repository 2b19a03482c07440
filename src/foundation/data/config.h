#pragma once
// The per-user connection configuration: twelve string values for the main
// database and the contracts register, plus the Internet-mode server group.
// Value names are matched without regard to letter case.
#include <QString>
#include <memory>
#include <utility>
#include <vector>

class QSettings;

namespace bv {

// The kinds a stored authentication value names.
enum class AuthKind { Unknown, SqlServer, Windows, Access, SQLite, PostgreSQL };
AuthKind authKindOf(const QString &stored);
QString authText(AuthKind kind);

// Reverses the text and lowers every character by one (code page 1256 bytes).
QString scramble(const QString &plain);
// Reverses the text and raises every character by one.
QString unscramble(const QString &stored);

class ConnectionConfig {
public:
    // The store at `path` (an INI file), or the default per-user store when empty:
    // the file named by BORVINAT_CONFIG, else the desktop's per-user settings.
    explicit ConnectionConfig(const QString &path = {});
    ~ConnectionConfig();

    static QString defaultPath();
    QString path() const;

    // True when the local configuration key exists (any value stored).
    bool exists() const;
    // A value of the local key; empty when missing.
    QString value(const QString &name) const;
    // A value of the Internet-mode group; empty when missing.
    QString internetValue(const QString &name) const;
    // Writes values in order, creating the key; false when the store cannot be written.
    bool write(const std::vector<std::pair<QString, QString>> &values);
    bool writeInternet(const std::vector<std::pair<QString, QString>> &values);

private:
    QString read(const QString &group, const QString &name) const;
    bool store(const QString &group, const std::vector<std::pair<QString, QString>> &values);
    std::unique_ptr<QSettings> settings_;
};

}  // namespace bv
