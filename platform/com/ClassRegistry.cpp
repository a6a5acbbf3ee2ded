#include "ClassRegistry.h"

#include "Guid.h"
#include "Runtime.h"
#include "RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace com {

namespace {

const QString kClasses = QStringLiteral("classes");
const QString kProgIds = QStringLiteral("progIds");
const QString kTypeLibraries = QStringLiteral("typeLibraries");

[[noreturn]] void corrupt(const QString& file, const QString& detail) {
    throw RuntimeError(QStringLiteral("El registro de clases «%1» está dañado (%2). Corríjalo o "
                                      "bórrelo y vuelva a registrar los componentes.")
                           .arg(QDir::toNativeSeparators(file), detail),
                       5);
}

// The file's root object, checked entry by entry so that a damaged file is reported here and
// not as a strange failure later. A missing file is an empty registry.
QJsonObject load(const QString& file) {
    QFile f(file);
    if (!f.exists())
        return {};
    if (!f.open(QIODevice::ReadOnly))
        throw RuntimeError(QStringLiteral("No se puede leer el registro de clases «%1»: %2.")
                               .arg(QDir::toNativeSeparators(file), f.errorString()),
                           75);
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        corrupt(file,
                QStringLiteral("%1 en la posición %2").arg(error.errorString()).arg(error.offset));
    if (!doc.isObject())
        corrupt(file, QStringLiteral("no contiene un objeto JSON"));
    const QJsonObject root = doc.object();
    for (const QString& section : {kClasses, kProgIds, kTypeLibraries}) {
        if (root.contains(section) && !root.value(section).isObject())
            corrupt(file, QStringLiteral("«%1» no es un objeto").arg(section));
    }
    const QJsonObject classes = root.value(kClasses).toObject();
    for (auto it = classes.begin(); it != classes.end(); ++it) {
        if (guidFromString(it.key()).isNull() || !it.value().isObject() ||
            !it.value().toObject().value(QStringLiteral("server")).isString())
            corrupt(file, QStringLiteral("la clase «%1» no es válida").arg(it.key()));
    }
    const QJsonObject progIds = root.value(kProgIds).toObject();
    for (auto it = progIds.begin(); it != progIds.end(); ++it) {
        if (guidFromString(it.value().toString()).isNull())
            corrupt(file, QStringLiteral("el ProgID «%1» no es válido").arg(it.key()));
    }
    const QJsonObject libraries = root.value(kTypeLibraries).toObject();
    for (auto it = libraries.begin(); it != libraries.end(); ++it) {
        if (guidFromString(it.key()).isNull() || !it.value().isObject())
            corrupt(file, QStringLiteral("la biblioteca de tipos «%1» no es válida").arg(it.key()));
    }
    return root;
}

void save(const QString& file, const QJsonObject& root) {
    const auto fail = [&file](const QString& why) {
        throw RuntimeError(QStringLiteral("No se puede escribir el registro de clases «%1»: %2. "
                                          "No se registró ningún cambio.")
                               .arg(QDir::toNativeSeparators(file), why),
                           75);
    };
    const QString dir = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(dir))
        fail(
            QStringLiteral("no se puede crear la carpeta «%1»").arg(QDir::toNativeSeparators(dir)));
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        fail(out.errorString());
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    if (out.write(bytes) != bytes.size())
        fail(out.errorString());
    if (!out.commit())
        fail(out.errorString());
}

ServerRegistration::Class classFrom(const QString& key, const QJsonObject& o) {
    ServerRegistration::Class c;
    c.clsid = guidFromString(key);
    c.progId = o.value(QStringLiteral("progId")).toString();
    c.name = o.value(QStringLiteral("name")).toString();
    c.server = o.value(QStringLiteral("server")).toString();
    c.typeLibrary = guidFromString(o.value(QStringLiteral("typeLibrary")).toString());
    return c;
}

ServerRegistration::TypeLibrary libraryFrom(const QString& key, const QJsonObject& o) {
    ServerRegistration::TypeLibrary t;
    t.id = guidFromString(key);
    t.name = o.value(QStringLiteral("name")).toString();
    t.version = o.value(QStringLiteral("version")).toString();
    t.path = o.value(QStringLiteral("path")).toString();
    return t;
}

// The registered key of a ProgID, whatever case the caller wrote it in.
QString progIdKey(const QJsonObject& progIds, const QString& progId) {
    for (auto it = progIds.begin(); it != progIds.end(); ++it) {
        if (it.key().compare(progId, Qt::CaseInsensitive) == 0)
            return it.key();
    }
    return {};
}

} // namespace

ClassRegistry::ClassRegistry(QString file) : m_file(std::move(file)) {}

QString ClassRegistry::defaultFile() {
    const QString fromEnvironment = qEnvironmentVariable("KESTROVA_REGISTRY");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/kestrova/registry.json");
}

ClassRegistry ClassRegistry::inUse() {
    return ClassRegistry(Runtime::exists() ? Runtime::current().registryFile() : defaultFile());
}

std::optional<ServerRegistration::Class> ClassRegistry::findClass(const QUuid& clsid) const {
    const QJsonObject classes = load(m_file).value(kClasses).toObject();
    const auto it = classes.find(guidString(clsid));
    if (it == classes.end())
        return std::nullopt;
    return classFrom(it.key(), it.value().toObject());
}

QUuid ClassRegistry::clsidOf(const QString& progId) const {
    const QJsonObject progIds = load(m_file).value(kProgIds).toObject();
    const QString key = progIdKey(progIds, progId);
    return key.isEmpty() ? QUuid() : guidFromString(progIds.value(key).toString());
}

std::optional<ServerRegistration::TypeLibrary>
ClassRegistry::findTypeLibrary(const QUuid& id) const {
    const QJsonObject libraries = load(m_file).value(kTypeLibraries).toObject();
    const auto it = libraries.find(guidString(id));
    if (it == libraries.end())
        return std::nullopt;
    return libraryFrom(it.key(), it.value().toObject());
}

ServerRegistration ClassRegistry::contents() const {
    const QJsonObject root = load(m_file);
    ServerRegistration r;
    const QJsonObject classes = root.value(kClasses).toObject();
    for (auto it = classes.begin(); it != classes.end(); ++it)
        r.classes.append(classFrom(it.key(), it.value().toObject()));
    const QJsonObject libraries = root.value(kTypeLibraries).toObject();
    for (auto it = libraries.begin(); it != libraries.end(); ++it)
        r.typeLibraries.append(libraryFrom(it.key(), it.value().toObject()));
    return r;
}

void ClassRegistry::add(const ServerRegistration& registration) {
    QJsonObject root = load(m_file);
    QJsonObject classes = root.value(kClasses).toObject();
    QJsonObject progIds = root.value(kProgIds).toObject();
    QJsonObject libraries = root.value(kTypeLibraries).toObject();
    for (const auto& c : registration.classes) {
        QJsonObject entry{{QStringLiteral("server"), c.server}};
        if (!c.progId.isEmpty())
            entry.insert(QStringLiteral("progId"), c.progId);
        if (!c.name.isEmpty())
            entry.insert(QStringLiteral("name"), c.name);
        if (!c.typeLibrary.isNull())
            entry.insert(QStringLiteral("typeLibrary"), guidString(c.typeLibrary));
        classes.insert(guidString(c.clsid), entry);
        if (!c.progId.isEmpty()) {
            progIds.remove(progIdKey(progIds, c.progId));
            progIds.insert(c.progId, guidString(c.clsid));
        }
    }
    for (const auto& t : registration.typeLibraries) {
        libraries.insert(guidString(t.id), QJsonObject{{QStringLiteral("name"), t.name},
                                                       {QStringLiteral("version"), t.version},
                                                       {QStringLiteral("path"), t.path}});
    }
    root.insert(kClasses, classes);
    root.insert(kProgIds, progIds);
    root.insert(kTypeLibraries, libraries);
    save(m_file, root);
}

void ClassRegistry::remove(const ServerRegistration& registration) {
    QJsonObject root = load(m_file);
    QJsonObject classes = root.value(kClasses).toObject();
    QJsonObject progIds = root.value(kProgIds).toObject();
    QJsonObject libraries = root.value(kTypeLibraries).toObject();
    for (const auto& c : registration.classes) {
        const QString clsid = guidString(c.clsid);
        classes.remove(clsid);
        for (auto it = progIds.begin(); it != progIds.end();) {
            if (guidFromString(it.value().toString()) == c.clsid)
                it = progIds.erase(it);
            else
                ++it;
        }
    }
    for (const auto& t : registration.typeLibraries)
        libraries.remove(guidString(t.id));
    root.insert(kClasses, classes);
    root.insert(kProgIds, progIds);
    root.insert(kTypeLibraries, libraries);
    save(m_file, root);
}

} // namespace com
