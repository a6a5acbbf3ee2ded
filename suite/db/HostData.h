#pragma once

#include <QString>
#include <vector>

namespace suite {

// The rows a fresh database starts with: suite parameters (table Parametro), stored query
// templates (table Consulta) and the state codes the suite works with (table Estado).
class HostData {
public:
    struct Row {
        QString name;
        QString value; // the parameter's value, or the query's text
        QString description;
    };

    static const std::vector<Row>& parameters();
    // Codes of trips ("AB", "TR", "CE", "CA"), of documents ("RM", "RMT", "RP", "EN", "FA") and
    // of catalogue rows ("AC", "BA" withdrawn); value holds the description.
    static const std::vector<Row>& states();
    // Each query holds "{PARAMETROS}" after WHERE and gives the document's folio first.
    static const std::vector<Row>& queries();
    // The text of a stored query by name; empty for an unknown name.
    static QString query(const QString& name);
};

} // namespace suite
