#pragma once

#include <QString>

namespace suite {

// Folio text as the suite numbers its documents: the branch code, then the counter of table
// Folio zero-padded so that the whole folio has the given length ("0002000137" for the 137th
// order of branch "0002" at length 10). The branch prefix keeps the folios of two branches
// apart although each branch counts on its own.
class Folio {
public:
    static QString text(const QString& branch, qint64 number, int length);
};

} // namespace suite
