#include "TraceFile.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace ktest {

std::vector<TraceLine> takeTraceLines(const QString& path) {
    QFile file(path);
    std::vector<TraceLine> lines;
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.isEmpty()) {
                const QJsonObject o = QJsonDocument::fromJson(line).object();
                lines.push_back({o.value(QStringLiteral("sql")).toString(),
                                 o.value(QStringLiteral("cache")).toString(),
                                 o.value(QStringLiteral("why")).toString(),
                                 o.value(QStringLiteral("executed")).toString(),
                                 o.value(QStringLiteral("error")).toString(),
                                 o.value(QStringLiteral("ms")).toDouble(-1)});
            }
    file.remove();
    return lines;
}

QStringList takeTrace(const QString& path) {
    QStringList statements;
    for (const TraceLine& line : takeTraceLines(path))
        statements << line.sql;
    return statements;
}

} // namespace ktest
