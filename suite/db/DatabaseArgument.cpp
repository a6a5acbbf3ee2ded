#include "DatabaseArgument.h"

#include "platform/ado/ConnectionStringMask.h"
#include "platform/ado/Providers.h"
#include "platform/com/RuntimeError.h"

#include <QFileInfo>

namespace suite {

bool DatabaseArgument::take(const QStringList& args, int& i, QString& error) {
    const QString& arg = args[i];
    const bool file = arg == QLatin1String("--db");
    if (!file && arg != QLatin1String("--connect"))
        return false;
    if (i + 1 >= args.size() || args[i + 1].trimmed().isEmpty()) {
        error = QStringLiteral("falta el valor después de %1").arg(arg);
        return true;
    }
    (file ? m_file : m_odbc) = args[++i];
    (file ? m_haveFile : m_haveOdbc) = true;
    return true;
}

QString DatabaseArgument::problem() const {
    if (m_haveFile == m_haveOdbc)
        return QStringLiteral("indique la base de datos con --db ARCHIVO o con --connect CADENA "
                              "(una de las dos)");
    return {};
}

QString DatabaseArgument::name() const {
    return m_haveFile ? m_file : ado::maskConnectionString(m_odbc);
}

std::unique_ptr<ado::Connection> DatabaseArgument::open(QString& error) const {
    if (m_haveFile) {
        const QFileInfo info(m_file);
        if (!info.exists()) {
            error = QStringLiteral("no existe el archivo de base de datos %1").arg(m_file);
            return nullptr;
        }
        if (!info.isFile() || !info.isReadable()) {
            error = QStringLiteral("no se puede leer el archivo de base de datos %1").arg(m_file);
            return nullptr;
        }
    }
    try {
        return m_haveFile ? ado::openSqlite(m_file, false) : ado::openOdbc(m_odbc);
    } catch (const com::RuntimeError& e) {
        error =
            m_haveFile
                ? QStringLiteral("no se pudo abrir la base de datos %1: %2")
                      .arg(m_file, e.description())
                : QStringLiteral("no se pudo conectar con \"%1\": %2").arg(name(), e.description());
        return nullptr;
    }
}

} // namespace suite
