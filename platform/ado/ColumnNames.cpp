#include "ColumnNames.h"

#include "Errors.h"

#include <QMutex>
#include <QSet>

namespace ado {

namespace {

// Every Field carries its column's name: one name kept for the life of the process, handed out
// as raw data, is copied into a Field without touching a reference count. That is a good part
// of reading a row as fast as the bare C API does. The set of names a program uses is small.
QString lasting(const QString& name) {
    static QMutex mutex;
    static auto* const names = new QSet<QString>;
    QMutexLocker lock(&mutex);
    const QString& kept = *names->insert(name);
    return QString::fromRawData(kept.constData(), kept.size());
}

} // namespace

ColumnNames::ColumnNames(QStringList names) {
    m_names.reserve(names.size());
    for (const QString& name : names)
        m_names << lasting(name);
}

int ColumnNames::indexOf(const QString& name) const {
    const int n = count();
    for (int i = 0; i < n; ++i) {
        if (m_names.at(i) == name)
            return i;
    }
    for (int i = 0; i < n; ++i) {
        const QString& candidate = m_names.at(i);
        if (candidate.size() == name.size() && candidate.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw com::RuntimeError(
        QStringLiteral("No se encontró el campo '%1' en el Recordset.").arg(name),
        error::itemNotFound);
}

void ColumnNames::checkIndex(int index) const {
    if (index < 0 || index >= count()) {
        throw com::RuntimeError(
            QStringLiteral("No existe el campo número %1: el Recordset tiene %2 campos.")
                .arg(index)
                .arg(count()),
            error::itemNotFound);
    }
}

} // namespace ado
