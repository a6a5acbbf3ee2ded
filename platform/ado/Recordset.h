#pragma once

#include "Field.h"

#include <memory>

namespace ado {

// A forward-only result of a SELECT. Fields are read from the current row.
// (EOF is a macro of <cstdio>, hence Eof.)
class Recordset {
public:
    virtual ~Recordset() = default;

    virtual bool Eof() const = 0;
    virtual void MoveNext() = 0;
    virtual int FieldCount() const = 0;
    // Raise com::RuntimeError for an unknown name or a position out of range, or when at Eof.
    virtual Field Fields(int index) const = 0;
    virtual Field Fields(const QString& name) const = 0;
    // The name of column index. A recordset that knows its columns without a row overrides it:
    // a list filled from an empty result still shows its column headers.
    virtual QString FieldName(int index) const { return Fields(index).Name(); }
    virtual void Close() = 0;
};

} // namespace ado
