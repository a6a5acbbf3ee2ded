#pragma once

#include <QByteArray>
#include <vector>

struct sqlite3_stmt;

namespace ado {

// One SQLite statement (UTF-8 text) read as its shape, the text with a ? where each string
// literal stood, and the values of those literals. Statements that differ only in their quoted
// values share a shape, so one prepared statement runs them all with the values bound. Bound
// text and a literal are the same value to SQLite: neither has an affinity of its own, and a
// column's applies to both when storing and comparing. Numbers stay in the shape: a number may
// name a result column (ORDER BY 1), and its type comes from how it is written. Where a mark
// cannot stand for a literal (a quoted name, an alias), SQLite refuses the shape.
class StatementShape {
public:
    enum class Kind {
        Write,  // INSERT, UPDATE, DELETE, REPLACE
        Schema, // CREATE, DROP, ALTER, PRAGMA, VACUUM, ATTACH, DETACH, REINDEX, ANALYZE
        Other,  // queries, transaction statements, anything else
    };

    // text must outlive the shape, which reads the values from it, and end in a NUL, as
    // QByteArray's own data does.
    explicit StatementShape(const QByteArray& text);

    Kind kind() const { return m_kind; }
    // One data-changing statement, every literal closed, no parameter of its own, no NUL:
    // it can run as its shape.
    bool parameterized() const { return m_kind == Kind::Write && m_usable; }
    const QByteArray& shape() const { return m_shape; }
    // The shape with numbered marks (?1, ?2...): a mark then keeps its value wherever a
    // rewriting of the text moves or repeats it.
    QByteArray numberedShape() const;
    int parameterCount() const { return static_cast<int>(m_values.size()); }
    // Binds the literals' values as text, in order, without copying them: they must stay bound
    // only while text lives. Returns SQLite's result code.
    int bind(sqlite3_stmt* statement) const;

private:
    // SQLite takes statements of at most 1,000,000,000 bytes: an int holds every position.
    struct Value {
        // The literal, quotes included, in the text.
        int start;
        int end;
        // Its value, in the text or, when the literal held doubled quotes, in m_unescaped.
        int offset;
        int size;
        bool unescaped;
    };

    qsizetype skipBlank(qsizetype i) const;
    void read();
    void literal(qsizetype start, qsizetype end);

    const QByteArray& m_text;
    QByteArray m_shape;
    QByteArray m_unescaped;
    std::vector<Value> m_values;
    Kind m_kind = Kind::Other;
    bool m_usable = true;
};

} // namespace ado
