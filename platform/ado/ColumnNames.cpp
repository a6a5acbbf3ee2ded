#include "ColumnNames.h"

#include "Errors.h"

namespace ado {

ColumnNames::ColumnNames(QStringList names) : m_names(std::move(names)) {}

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
