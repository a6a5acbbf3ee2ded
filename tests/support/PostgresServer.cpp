#include "PostgresServer.h"

#include "platform/ado/Providers.h"
#include "platform/com/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>
#include <cstdlib>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

namespace ktest {

namespace {

constexpr uid_t nobody = 65534;
const char* const superuser = "kestrova";

// The folder of initdb and pg_ctl: on the PATH, or where Debian keeps them, newest version first.
QString serverPrograms() {
    QStringList folders{
        QFileInfo(QStandardPaths::findExecutable(QStringLiteral("pg_ctl"))).canonicalPath()};
    const QDir versions(QStringLiteral("/usr/lib/postgresql"));
    for (const QString& v :
         versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed))
        folders << versions.filePath(v + QStringLiteral("/bin"));
    for (const QString& bin : folders)
        if (QFileInfo(bin + QStringLiteral("/pg_ctl")).isExecutable() &&
            QFileInfo(bin + QStringLiteral("/initdb")).isExecutable())
            return bin;
    return {};
}

QString quoted(const QString& word) {
    return QLatin1Char('\'') + QString(word).replace("'", "'\\''") + QLatin1Char('\'');
}

// Runs a program to its end, as the unprivileged user when asked, its output appended to log
// (opened as ourselves). A plain shell, not QProcess: the server is also stopped after the
// application object is gone.
int run(const QStringList& command, bool asNobody, const QString& log) {
    QStringList words;
    if (asNobody)
        words << "setpriv --reuid=65534 --regid=65534 --clear-groups --";
    for (const QString& a : command)
        words << quoted(a);
    const int status = std::system(
        QFile::encodeName(words.join(' ') + " </dev/null >>" + quoted(log) + " 2>&1").constData());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QString tail(const QString& log) {
    QFile f(log);
    return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()).right(1500)
                                       : QString();
}

} // namespace

PostgresServer* PostgresServer::instance(QString* why) {
    static std::unique_ptr<PostgresServer> server;
    static QString missing, failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        std::unique_ptr<PostgresServer> made(new PostgresServer);
        try {
            if (made->start(&missing)) {
                server = std::move(made);
                // Stopped at exit, whichever way the tests end.
                std::atexit([] { server.reset(); });
            }
        } catch (const com::RuntimeError& e) {
            failure = e.description();
        }
    }
    if (!failure.isEmpty())
        throw com::RuntimeError(failure);
    if (!server && why)
        *why = missing;
    return server.get();
}

bool PostgresServer::start(QString* why) {
    // Only missing programs excuse the tests; any other failure is one.
    m_bin = serverPrograms();
    if (m_bin.isEmpty()) {
        *why = QStringLiteral("the PostgreSQL server programs (initdb, pg_ctl) are not installed; "
                              "tools/setup.sh installs the packages postgresql and "
                              "odbc-postgresql");
        return false;
    }
    char pattern[] = "/tmp/kestrova-pg-XXXXXX";
    if (!::mkdtemp(pattern))
        throw com::RuntimeError(QStringLiteral("no temporary folder for the PostgreSQL server"));
    m_dir = QString::fromLocal8Bit(pattern);
    m_asNobody = ::geteuid() == 0;
    if (m_asNobody && ::chown(pattern, nobody, nobody) != 0)
        throw com::RuntimeError(
            QStringLiteral("cannot give %1 to the unprivileged user").arg(m_dir));
    // Our own output is written as root, the server's log by the server's user.
    const QString output = m_dir + QStringLiteral("/commands.log");
    const QString log = m_dir + QStringLiteral("/server.log");
    const QString data = m_dir + QStringLiteral("/data");
    if (run({m_bin + "/initdb", "-D", data, "-U", superuser, "--auth=trust", "-E", "UTF8",
             "--locale=C", "--no-sync"},
            m_asNobody, output) != 0)
        throw com::RuntimeError(QStringLiteral("initdb failed: %1").arg(tail(output)));
    // A scratch server: nothing it holds outlives the tests. It listens only on a socket in its
    // own folder, so that its port cannot be taken by anything else.
    const QString options =
        QStringLiteral("-c listen_addresses= -k %1 -c fsync=off -c synchronous_commit=off "
                       "-c full_page_writes=off -c max_connections=60 -c shared_buffers=32MB")
            .arg(m_dir);
    m_running =
        run({m_bin + "/pg_ctl", "-D", data, "-l", log, "-o", options, "-w", "-t", "60", "start"},
            m_asNobody, output) == 0;
    if (!m_running)
        throw com::RuntimeError(QStringLiteral("the PostgreSQL server did not start: %1\n%2")
                                    .arg(tail(output), tail(log)));
    return true;
}

void PostgresServer::stop() {
    if (m_running)
        run({m_bin + "/pg_ctl", "-D", m_dir + "/data", "-m", "immediate", "-w", "stop"}, m_asNobody,
            m_dir + QStringLiteral("/pg_ctl.log"));
    m_running = false;
}

PostgresServer::~PostgresServer() {
    stop();
    if (!m_dir.isEmpty())
        QDir(m_dir).removeRecursively();
}

QString PostgresServer::connectionString(const QString& database) const {
    return QStringLiteral("Driver=PostgreSQL Unicode;Server=%1;Database=%2;Uid=%3")
        .arg(m_dir, database, QLatin1String(superuser));
}

void PostgresServer::execute(const QString& sql) {
    ado::openOdbc(connectionString(QStringLiteral("postgres")))->Execute(sql);
}

QString PostgresServer::createDatabase(const QString& templateKey, Fill fill, const void* context) {
    static QHash<QString, QString> templates;
    QString from = QStringLiteral("template0");
    if (!templateKey.isEmpty()) {
        from = templates.value(templateKey);
        if (from.isEmpty()) {
            from = QStringLiteral("kt_template_%1").arg(templates.size() + 1);
            execute(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0").arg(from));
            fill(connectionString(from), context);
            templates.insert(templateKey, from);
        }
    }
    const QString name = QStringLiteral("kt_%1").arg(++m_databases);
    execute(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(name, from));
    return connectionString(name);
}

} // namespace ktest
