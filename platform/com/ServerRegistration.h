#pragma once

#include <QList>
#include <QString>
#include <QUuid>

namespace com {

// What one in-process server writes into the class registry: its classes (CLSID, ProgID,
// library path) and its type libraries.
struct ServerRegistration {
    struct Class {
        QUuid clsid;
        QString progId;
        QString name;
        QString server; // absolute path of the library
        QUuid typeLibrary;
    };
    struct TypeLibrary {
        QUuid id;
        QString name;
        QString version; // "1.0"
        QString path;
    };
    QList<Class> classes;
    QList<TypeLibrary> typeLibraries;
};

} // namespace com
