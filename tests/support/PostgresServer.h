#pragma once

#include <QString>

namespace ktest {

// A PostgreSQL server of the test binary's own: a cluster in a temporary folder, listening only
// on a socket in that folder, started on first use and stopped when the binary ends. PostgreSQL
// refuses to run as root, so under root (as CI runs) the cluster belongs to the unprivileged user
// 65534 and its programs run as that user.
class PostgresServer {
public:
    // The server, or null when its programs are not installed; why then says what is missing.
    // Any other failure to start it raises com::RuntimeError with the server's own words.
    static PostgresServer* instance(QString* why);

    // A new database, copied from a template made once by `fill` (an empty key: an empty
    // database). Returns its ODBC connection string.
    using Fill = void (*)(const QString& connectionString, const void* context);
    QString createDatabase(const QString& templateKey, Fill fill, const void* context);
    QString connectionString(const QString& database) const;

    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

private:
    PostgresServer() = default;
    // False when the programs are missing.
    bool start(QString* why);
    void stop();
    void execute(const QString& sql);

    QString m_dir;
    QString m_bin;
    bool m_asNobody = false;
    bool m_running = false;
    int m_databases = 0;
};

} // namespace ktest
