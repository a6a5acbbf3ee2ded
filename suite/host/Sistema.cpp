#include "Sistema.h"

#include "HostSession.h"
#include "MessagePresenter.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SqlText.h"
#include "platform/com/RuntimeError.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace suite {

namespace {

// Appends the message to the file named by KESTROVA_MESSAGE_LOG, one JSON object per line, so
// that tools and tests outside the process see what the user was shown.
void appendToMessageLog(const Message& message) {
    const QString path = qEnvironmentVariable("KESTROVA_MESSAGE_LOG");
    if (path.isEmpty())
        return;
    const QJsonObject line{{QStringLiteral("text"), message.text},
                           {QStringLiteral("style"), qint64(message.style)},
                           {QStringLiteral("title"), message.title},
                           {QStringLiteral("module"), message.module},
                           {QStringLiteral("id"), message.id}};
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        qWarning("Cannot append to the message log %s: %s", qPrintable(path),
                 qPrintable(file.errorString()));
        return;
    }
    // One write per line keeps lines of several processes whole (O_APPEND).
    if (file.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n') < 0)
        qWarning("Cannot write to the message log %s: %s", qPrintable(path),
                 qPrintable(file.errorString()));
}

} // namespace

Sistema::Sistema(std::shared_ptr<HostSession> session) : m_session(std::move(session)) {}

Sistema::~Sistema() = default;

ado::Connection& Sistema::Conexion() {
    return m_session->connection();
}

QString Sistema::Usuario() {
    return m_session->usuario();
}

QVariant Sistema::LeerParametro(const QString& nombre, long, const QString&,
                                const QString& valorDefault) {
    std::unique_ptr<ado::Recordset> rs;
    try {
        rs = m_session->connection().Execute(
            QStringLiteral("SELECT Pa_Valor FROM Parametro WHERE Pa_Nombre = '") +
            ado::sqlText(nombre) + QStringLiteral("'"));
    } catch (const com::RuntimeError& e) {
        throw com::RuntimeError(
            QStringLiteral("No se pudo leer el parámetro %1: %2").arg(nombre, e.description()),
            e.number());
    }
    if (rs->Eof())
        return valorDefault;
    const QVariant valor = rs->Fields(0).Value();
    rs->Close();
    // A blank value is no configuration at all: a blank format or period would break the screens.
    if (valor.isNull() || valor.toString().trimmed().isEmpty())
        return valorDefault;
    return valor.toString();
}

void Sistema::MostrarMensaje(const QVariant& texto, long estilo, const QVariant& tituloMensaje,
                             const QVariant& hWnd, const QVariant& modulo,
                             const QVariant& idError) {
    const Message message{texto.toString(),         estilo,
                          tituloMensaje.toString(), hWnd.toLongLong(),
                          modulo.toString(),        idError.toString()};
    appendToMessageLog(message);
    m_session->presenter().show(message);
}

} // namespace suite
