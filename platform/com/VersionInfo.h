#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace com {

// The version record of a component library, kept in an ELF section of its own so that it can
// be read from the file without loading it. The section holds NUL-terminated strings: the
// magic, then key and value pairs (the fixed part as "FixedFileVersion", "FixedProductVersion",
// "FileType"; the string table's language and code page as "Translation"; then the strings).
class VersionInfo {
public:
    static constexpr const char* sectionName = ".kestrova_version";
    static constexpr const char* magic = "KESTROVA-VERSION-1";

    // Raises RuntimeError naming the file when it is not an ELF file or holds no record.
    static VersionInfo read(const QString& file);
    // Parses the section's bytes.
    static VersionInfo parse(const QByteArray& section);

    QStringList keys() const;
    bool contains(const QString& key) const;
    QString value(const QString& key) const;

private:
    QList<QPair<QString, QString>> m_entries;
};

} // namespace com
