#include "VersionInfo.h"

#include "RuntimeError.h"

#include <QDir>
#include <QFile>
#include <cstring>
#include <elf.h>

namespace com {

namespace {

[[noreturn]] void unreadable(const QString& file, const QString& why) {
    throw RuntimeError(QStringLiteral("No se puede leer el registro de versión de «%1»: %2.")
                           .arg(QDir::toNativeSeparators(file), why),
                       5);
}

// GCC 12 cannot see the bounds check below through QByteArray's shared empty buffer and warns
// about the copy; the check makes it safe.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wstringop-overread"
template <class T> bool readAt(const QByteArray& data, quint64 offset, T& out) {
    if (offset > static_cast<quint64>(data.size()) ||
        sizeof(T) > static_cast<quint64>(data.size()) - offset)
        return false;
    std::memcpy(&out, data.constData() + offset, sizeof(T));
    return true;
}
#pragma GCC diagnostic pop

bool inside(const QByteArray& data, quint64 offset, quint64 size) {
    return offset <= static_cast<quint64>(data.size()) &&
           size <= static_cast<quint64>(data.size()) - offset;
}

// The contents of the named section of a 64-bit little-endian ELF file (what this platform
// builds); empty when there is no such section.
QByteArray section(const QString& file, const QByteArray& data, const char* name) {
    Elf64_Ehdr header;
    if (!readAt(data, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
        unreadable(file, QStringLiteral("no es un archivo ELF"));
    if (header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB)
        unreadable(file, QStringLiteral("no es un archivo ELF de 64 bits"));
    if (header.e_shentsize != sizeof(Elf64_Shdr) || header.e_shstrndx >= header.e_shnum)
        unreadable(file, QStringLiteral("la tabla de secciones no es válida"));
    const auto sectionHeader = [&](quint64 index) {
        Elf64_Shdr s;
        if (!readAt(data, header.e_shoff + index * sizeof(Elf64_Shdr), s))
            unreadable(file, QStringLiteral("la tabla de secciones está truncada"));
        return s;
    };
    const Elf64_Shdr names = sectionHeader(header.e_shstrndx);
    if (!inside(data, names.sh_offset, names.sh_size))
        unreadable(file, QStringLiteral("la tabla de nombres de secciones está truncada"));
    const QByteArray wanted(name);
    for (quint64 i = 0; i < header.e_shnum; ++i) {
        const Elf64_Shdr s = sectionHeader(i);
        if (s.sh_name >= names.sh_size)
            continue;
        const char* sectionName = data.constData() + names.sh_offset + s.sh_name;
        const auto length = qstrnlen(sectionName, names.sh_size - s.sh_name);
        if (QByteArray(sectionName, static_cast<int>(length)) != wanted)
            continue;
        if (s.sh_type == SHT_NOBITS || !inside(data, s.sh_offset, s.sh_size))
            unreadable(file,
                       QStringLiteral("la sección %1 está truncada").arg(QLatin1String(name)));
        return data.mid(static_cast<qsizetype>(s.sh_offset), static_cast<qsizetype>(s.sh_size));
    }
    return {};
}

} // namespace

VersionInfo VersionInfo::read(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        unreadable(file, f.errorString());
    const QByteArray data = f.readAll();
    const QByteArray bytes = section(file, data, sectionName);
    if (bytes.isEmpty())
        unreadable(file, QStringLiteral("el archivo no tiene registro de versión"));
    try {
        return parse(bytes);
    } catch (const RuntimeError& e) {
        unreadable(file, e.description());
    }
}

VersionInfo VersionInfo::parse(const QByteArray& bytes) {
    const QList<QByteArray> strings = bytes.split('\0');
    if (strings.constFirst() != magic)
        throw RuntimeError(QStringLiteral("el registro de versión no tiene un formato conocido"),
                           5);
    // Pairs run up to the first empty key: the linker may pad the section with NULs.
    VersionInfo info;
    qsizetype i = 1;
    for (; i < strings.size() && !strings[i].isEmpty(); i += 2) {
        if (i + 1 >= strings.size())
            throw RuntimeError(QStringLiteral("el registro de versión está incompleto"), 5);
        info.m_entries.append({QString::fromUtf8(strings[i]), QString::fromUtf8(strings[i + 1])});
    }
    return info;
}

QStringList VersionInfo::keys() const {
    QStringList k;
    for (const auto& entry : m_entries)
        k << entry.first;
    return k;
}

bool VersionInfo::contains(const QString& key) const {
    return keys().contains(key);
}

QString VersionInfo::value(const QString& key) const {
    for (const auto& entry : m_entries) {
        if (entry.first == key)
            return entry.second;
    }
    return {};
}

} // namespace com
