#include "TraceFile.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace ktest {

QStringList takeTrace(const QString& path) {
    QFile file(path);
    QStringList statements;
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.isEmpty())
                statements << QJsonDocument::fromJson(line)
                                  .object()
                                  .value(QStringLiteral("sql"))
                                  .toString();
    file.remove();
    return statements;
}

} // namespace ktest
