#include "FolioCounter.h"

#include "SqlDates.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SqlText.h"
#include "platform/com/RuntimeError.h"
#include "suite/db/Folio.h"

#include <QHash>

#include <algorithm>

namespace suite {

namespace {

// The key column of the tables numbered by the counters. A folio already in the table (a row
// loaded without going through the counters) is stepped over, and a counter that does not exist
// yet starts after the highest folio of the branch.
QString folioColumn(const QString& tabla) {
    static const QHash<QString, QString> columns{
        {QStringLiteral("VIAJE"), QStringLiteral("Vj_Folio")},
        {QStringLiteral("ORDEN_ENTREGA"), QStringLiteral("Oe_Folio")},
        {QStringLiteral("EMBARQUE"), QStringLiteral("Eb_Folio")},
        {QStringLiteral("VENTA"), QStringLiteral("Vn_Folio")},
        {QStringLiteral("REMISION"), QStringLiteral("Rm_Folio")},
    };
    return columns.value(tabla);
}

QString firstText(ado::Connection& connection, const QString& sql) {
    std::unique_ptr<ado::Recordset> rs = connection.Execute(sql);
    QString value;
    if (!rs->Eof())
        value = rs->Fields(0).Value().toString();
    rs->Close();
    return value;
}

struct Counter {
    ado::Connection& connection;
    QString sucursal;
    QString tabla; // in capitals, as the counters name it
    QString column;
    int longitud;
    QString usuario;
    QString ahora;

    QString where() const {
        return QStringLiteral(" WHERE Sc_Cve_Sucursal = '") + ado::sqlText(sucursal) +
               QStringLiteral("' AND Fo_Tabla = '") + ado::sqlText(tabla) + QStringLiteral("'");
    }

    // The update comes first: it takes the row's write lock before the value is read, so two
    // connections never read the same number.
    qint64 increment() {
        long changed = 0;
        connection.Execute(QStringLiteral("UPDATE Folio SET Fo_Ultimo = Fo_Ultimo + 1, "
                                          "Oper_Ult_Modif = '") +
                               ado::sqlText(usuario) + QStringLiteral("', Fecha_Ult_Modif = '") +
                               ahora + QStringLiteral("'") + where(),
                           &changed);
        if (changed == 0) {
            const qint64 first = highestInUse() + 1;
            connection.Execute(
                QStringLiteral("INSERT INTO Folio (Sc_Cve_Sucursal, Fo_Tabla, Fo_Ultimo, "
                               "Oper_Alta, Fecha_Alta, Oper_Ult_Modif, Fecha_Ult_Modif) "
                               "VALUES ('%1', '%2', %3, '%4', '%5', '%4', '%5')")
                    .arg(ado::sqlText(sucursal), ado::sqlText(tabla), QString::number(first),
                         ado::sqlText(usuario), ahora));
            return first;
        }
        const QString value =
            firstText(connection, QStringLiteral("SELECT Fo_Ultimo FROM Folio") + where());
        bool ok = false;
        const qint64 number = value.toLongLong(&ok);
        if (!ok)
            throw com::RuntimeError(
                QStringLiteral("El contador de folios de %1 de la sucursal %2 no es un número: %3")
                    .arg(tabla, sucursal, value),
                13);
        return number;
    }

    qint64 highestInUse() {
        if (column.isEmpty())
            return 0;
        // The branch is matched as written: a '%' or '_' in it stands for itself.
        QString branch = sucursal;
        branch.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
            .replace(QLatin1Char('%'), QLatin1String("\\%"))
            .replace(QLatin1Char('_'), QLatin1String("\\_"));
        const QString pattern =
            ado::sqlText(branch) + QString(longitud - sucursal.size(), QLatin1Char('_'));
        const QString highest = firstText(
            connection, QStringLiteral("SELECT MAX(%1) FROM %2 WHERE %1 LIKE '%3' ESCAPE '\\'")
                            .arg(column, tabla, pattern));
        bool ok = false;
        const qint64 number = highest.mid(sucursal.size()).toLongLong(&ok);
        return ok ? number : 0;
    }

    bool inUse(const QString& folio) {
        if (column.isEmpty())
            return false;
        std::unique_ptr<ado::Recordset> rs =
            connection.Execute(QStringLiteral("SELECT %1 FROM %2 WHERE %1 = '%3'")
                                   .arg(column, tabla, ado::sqlText(folio)));
        const bool found = !rs->Eof();
        rs->Close();
        return found;
    }
};

} // namespace

FolioCounter::FolioCounter(ado::Connection& connection, const QString& usuario)
    : m_connection(connection), m_usuario(usuario) {}

QString FolioCounter::next(const QString& sucursal, const QString& tabla, int longitud) {
    if (!m_connection.inTransaction())
        throw com::RuntimeError(QStringLiteral("Un folio se toma dentro de una transacción"), 5);
    // A folio begins with its branch: a blank one, or one with blanks or control characters
    // inside, would number documents under a code that no branch has.
    if (sucursal.isEmpty() || std::any_of(sucursal.begin(), sucursal.end(),
                                          [](QChar c) { return c.isSpace() || !c.isPrint(); }))
        throw com::RuntimeError(
            QStringLiteral("La sucursal «%1» no es válida para numerar folios").arg(sucursal), 5);
    // Fails before anything is written when the branch leaves no room for the number.
    Folio::text(sucursal, 0, longitud);
    Counter counter{m_connection,
                    sucursal,
                    tabla.toUpper(),
                    folioColumn(tabla.toUpper()),
                    longitud,
                    m_usuario,
                    SqlDates::dateTime(m_connection.dialect(), SqlDates::serverNow(m_connection))};
    for (;;) {
        const QString folio = Folio::text(sucursal, counter.increment(), longitud);
        if (!counter.inUse(folio))
            return folio;
    }
}

} // namespace suite
