#pragma once

#include <QString>
#include <vector>

namespace suite {

// The host's own rows of a fresh database: suite parameters (table Parametro) and stored query
// templates (table Consulta).
class HostData {
public:
    struct Row {
        QString name;
        QString value; // the parameter's value, or the query's text
        QString description;
    };

    static const std::vector<Row>& parameters();
    // Each query holds "{PARAMETROS}" after WHERE and gives the document's folio first.
    static const std::vector<Row>& queries();
    // The text of a stored query by name; empty for an unknown name.
    static QString query(const QString& name);
};

} // namespace suite
