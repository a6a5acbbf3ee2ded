#include "ConnectionStringMask.h"

namespace ado {

namespace {

bool isSecret(const QString& key) {
    const QString k = key.trimmed().toUpper();
    return k == QLatin1String("PWD") || k.contains(QLatin1String("PASSWORD"));
}

// Walks the key=value pairs of a connection string. A value that starts with '{' runs to the
// matching '}', where '}}' stands for one '}' and a ';' is part of the value. visit gets each
// pair's key and raw value; what it returns replaces the value.
template <class Visit> QString walk(const QString& cs, Visit visit) {
    QString out;
    const qsizetype n = cs.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype equals = cs.indexOf(QLatin1Char('='), i);
        const qsizetype semicolon = cs.indexOf(QLatin1Char(';'), i);
        if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
            const qsizetype end = semicolon < 0 ? n : semicolon + 1;
            out += cs.mid(i, end - i);
            i = end;
            continue;
        }
        qsizetype j = equals + 1;
        while (j < n && cs.at(j) == QLatin1Char(' '))
            ++j;
        if (j < n && cs.at(j) == QLatin1Char('{')) {
            ++j;
            while (j < n) {
                if (cs.at(j) == QLatin1Char('}')) {
                    if (j + 1 < n && cs.at(j + 1) == QLatin1Char('}')) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
        }
        const qsizetype end = cs.indexOf(QLatin1Char(';'), j);
        const qsizetype valueEnd = end < 0 ? n : end;
        const QString key = cs.mid(i, equals - i);
        out += key + QLatin1Char('=') + visit(key, cs.mid(equals + 1, valueEnd - equals - 1));
        if (end >= 0)
            out += QLatin1Char(';');
        i = end < 0 ? n : end + 1;
    }
    return out;
}

} // namespace

QString maskConnectionString(const QString& connectionString) {
    return walk(connectionString, [](const QString& key, const QString& value) {
        return isSecret(key) ? QStringLiteral("***") : value;
    });
}

QString connectionStringValue(const QString& connectionString, const QString& key) {
    QString found;
    walk(connectionString, [&](const QString& k, const QString& value) {
        if (found.isEmpty() && k.trimmed().compare(key, Qt::CaseInsensitive) == 0) {
            found = value.trimmed();
            if (found.startsWith(QLatin1Char('{')) && found.endsWith(QLatin1Char('}')))
                found =
                    found.mid(1, found.size() - 2).replace(QLatin1String("}}"), QLatin1String("}"));
        }
        return value;
    });
    return found;
}

} // namespace ado
