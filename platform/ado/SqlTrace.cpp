#include "SqlTrace.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QMutex>
#include <QSet>
#include <QtGlobal>
#include <cmath>

namespace ado {

namespace {

const char* const traceVariable = "KESTROVA_SQL_TRACE";

QMutex& traceMutex() {
    static QMutex mutex;
    return mutex;
}

} // namespace

bool SqlTrace::enabled() {
    return !qEnvironmentVariableIsEmpty(traceVariable);
}

void SqlTrace::record(const QString& sql, const QString& executed, double ms, const QString& error,
                      const char* cache, const QString& why) {
    const QString path = qEnvironmentVariable(traceVariable);
    if (path.isEmpty())
        return;
    QJsonObject line;
    line.insert(QStringLiteral("sql"), sql);
    line.insert(QStringLiteral("executed"), executed);
    line.insert(QStringLiteral("ms"), std::round(ms * 1000.0) / 1000.0);
    line.insert(QStringLiteral("error"),
                error.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(error));
    if (cache) {
        line.insert(QStringLiteral("cache"), QLatin1String(cache));
        if (!why.isEmpty())
            line.insert(QStringLiteral("why"), why);
    }
    const QByteArray bytes = QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n';

    QMutexLocker lock(&traceMutex());
    QFile file(path);
    // Unbuffered append: the line reaches the file in one write, after any other process's.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size()) {
        static QSet<QString> warned;
        if (!warned.contains(path)) {
            warned.insert(path);
            qWarning("SQL trace: cannot append to %s: %s", qPrintable(path),
                     qPrintable(file.errorString()));
        }
    }
}

} // namespace ado
