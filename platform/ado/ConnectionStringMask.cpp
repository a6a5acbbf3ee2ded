#include "ConnectionStringMask.h"

namespace ado {

namespace {

bool isSecret(const QString& key) {
    const QString k = key.trimmed().toUpper();
    return k == QLatin1String("PWD") || k.contains(QLatin1String("PASSWORD"));
}

} // namespace

QString maskConnectionString(const QString& connectionString) {
    // Pairs are key=value separated by ';'. A value that starts with '{' runs to the matching
    // '}', where '}}' stands for one '}' and a ';' is part of the value.
    QString shown;
    const qsizetype n = connectionString.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype equals = connectionString.indexOf(QLatin1Char('='), i);
        const qsizetype semicolon = connectionString.indexOf(QLatin1Char(';'), i);
        if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
            // A piece without a value: kept as it is.
            const qsizetype end = semicolon < 0 ? n : semicolon + 1;
            shown += connectionString.mid(i, end - i);
            i = end;
            continue;
        }
        const QString key = connectionString.mid(i, equals - i);
        qsizetype j = equals + 1;
        while (j < n && connectionString.at(j) == QLatin1Char(' '))
            ++j;
        if (j < n && connectionString.at(j) == QLatin1Char('{')) {
            ++j;
            while (j < n) {
                if (connectionString.at(j) == QLatin1Char('}')) {
                    if (j + 1 < n && connectionString.at(j + 1) == QLatin1Char('}')) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
        }
        const qsizetype end = connectionString.indexOf(QLatin1Char(';'), j);
        const qsizetype valueEnd = end < 0 ? n : end;
        shown += key + QLatin1Char('=');
        shown += isSecret(key) ? QStringLiteral("***")
                               : connectionString.mid(equals + 1, valueEnd - equals - 1);
        if (end >= 0)
            shown += QLatin1Char(';');
        i = end < 0 ? n : end + 1;
    }
    return shown;
}

} // namespace ado
