#include "ConexionGrabada.h"

#include "platform/ado/Recordset.h"
#include "platform/com/RuntimeError.h"

#include <QSqlDatabase>

namespace ktest {

namespace {

class Filas : public ado::Recordset {
public:
    explicit Filas(QList<Fila> filas) : m_filas(std::move(filas)) {}

    bool Eof() const override { return m_actual >= m_filas.size(); }
    void MoveNext() override { ++m_actual; }
    int FieldCount() const override { return m_filas.isEmpty() ? 0 : m_filas.first().size(); }
    ado::Field Fields(int index) const override {
        const Fila& fila = actual();
        if (index < 0 || index >= fila.size())
            throw com::RuntimeError(QStringLiteral("Item cannot be found"), 3265);
        return ado::Field(fila[index].first, fila[index].second);
    }
    ado::Field Fields(const QString& name) const override {
        const Fila& fila = actual();
        for (const auto& campo : fila)
            if (campo.first.compare(name, Qt::CaseInsensitive) == 0)
                return ado::Field(campo.first, campo.second);
        throw com::RuntimeError(QStringLiteral("Item cannot be found: ") + name, 3265);
    }
    void Close() override { m_filas.clear(); }

private:
    const Fila& actual() const {
        if (Eof())
            throw com::RuntimeError(QStringLiteral("Either BOF or EOF is True"), 3021);
        return m_filas[m_actual];
    }

    QList<Fila> m_filas;
    int m_actual = 0;
};

} // namespace

std::unique_ptr<ado::Recordset> ConexionGrabada::Execute(const QString& sql, long*) {
    sentencias << sql;
    if (!fallarCon.isEmpty() && sql.contains(fallarCon))
        throw com::RuntimeError(QStringLiteral("falla de la base de datos"), -2147217900);
    const bool select = sql.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive);
    return std::make_unique<Filas>(select ? filas : QList<Fila>{});
}

void ConexionGrabada::BeginTrans() {
    sentencias << QStringLiteral("BEGIN");
    m_transaccion = true;
}

void ConexionGrabada::CommitTrans() {
    sentencias << QStringLiteral("COMMIT");
    m_transaccion = false;
}

void ConexionGrabada::RollbackTrans() {
    sentencias << QStringLiteral("ROLLBACK");
    m_transaccion = false;
}

QSqlDatabase ConexionGrabada::database() const {
    return {};
}

QStringList ConexionGrabada::sentenciasDelViaje() const {
    QStringList r;
    for (const QString& s : sentencias)
        if (s.contains(QLatin1String("Viaje")) || s == QLatin1String("BEGIN") ||
            s == QLatin1String("COMMIT") || s == QLatin1String("ROLLBACK"))
            r << s;
    return r;
}

} // namespace ktest
