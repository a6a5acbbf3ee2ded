#include "StatementShape.h"

#include "SqlLexer.h"

#include <cstring>
#include <limits>
#include <sqlite3.h>

namespace ado {

namespace {

// What matters past the first word: what opens a literal, a quoted name or a comment, ends the
// statement, or is a parameter. A search for them also stops at a NUL.
const char* const notableCharacters = "'\"`[]-/;?:@#$";

StatementShape::Kind kindOf(QByteArrayView word) {
    static const char* const writes[] = {"INSERT", "UPDATE", "DELETE", "REPLACE"};
    static const char* const schema[] = {"CREATE", "DROP",   "ALTER",   "PRAGMA", "VACUUM",
                                         "ATTACH", "DETACH", "REINDEX", "ANALYZE"};
    for (const char* keyword : writes) {
        if (SqlLexer::isKeyword(word, keyword))
            return StatementShape::Kind::Write;
    }
    for (const char* keyword : schema) {
        if (SqlLexer::isKeyword(word, keyword))
            return StatementShape::Kind::Schema;
    }
    return StatementShape::Kind::Other;
}

} // namespace

StatementShape::StatementShape(const QByteArray& text) : m_text(text) {
    read();
    if (!parameterized())
        return;
    // Positions are kept as int. A NUL inside a literal would end the statement written out,
    // not the value.
    if (m_text.size() > std::numeric_limits<int>::max() ||
        std::memchr(m_text.constData(), 0, size_t(m_text.size()))) {
        m_usable = false;
        return;
    }
    if (m_values.empty()) {
        m_shape = m_text;
        return;
    }
    // Each literal is at least two characters and its mark one: the shape fits in the text's size.
    m_shape.resize(m_text.size());
    char* out = m_shape.data();
    qsizetype copied = 0;
    for (const Value& value : m_values) {
        const qsizetype before = value.start - copied;
        std::memcpy(out, m_text.constData() + copied, size_t(before));
        out += before;
        *out++ = '?';
        copied = value.end;
    }
    const qsizetype rest = m_text.size() - copied;
    std::memcpy(out, m_text.constData() + copied, size_t(rest));
    out += rest;
    m_shape.truncate(out - m_shape.constData());
}

QByteArray StatementShape::numberedShape() const {
    QByteArray numbered;
    numbered.reserve(m_text.size() + 8 * qsizetype(m_values.size()));
    qsizetype copied = 0;
    int number = 0;
    for (const Value& value : m_values) {
        numbered.append(m_text.constData() + copied, value.start - copied);
        numbered.append('?').append(QByteArray::number(++number));
        copied = value.end;
    }
    numbered.append(m_text.constData() + copied, m_text.size() - copied);
    return numbered;
}

// Index of the first character at or after i that is neither blank nor in a comment.
qsizetype StatementShape::skipBlank(qsizetype i) const {
    while (i < m_text.size()) {
        const SqlLexer::Token token = SqlLexer::next(m_text, i);
        if (token.kind != SqlLexer::Kind::Space && token.kind != SqlLexer::Kind::Comment)
            break;
        i += token.length;
    }
    return i;
}

// Reads the text as SQLite's tokenizer does, as far as it takes to know whether the statement
// can run as its shape: words, numbers and operators are passed over as one.
void StatementShape::read() {
    const char* const s = m_text.constData();
    const qsizetype n = m_text.size();
    qsizetype i = skipBlank(0);
    if (i == n)
        return;
    const SqlLexer::Token first = SqlLexer::next(m_text, i);
    if (first.kind != SqlLexer::Kind::Word)
        return;
    m_kind = kindOf(QByteArrayView(s + i, first.length));
    if (m_kind != Kind::Write)
        return;
    i += first.length;

    while (i < n) {
        // Between the values of a list the next literal is near: no search is worth its call.
        // Elsewhere the C library passes over many characters at a time (the text ends in a
        // NUL).
        while (i < n && (s[i] == ',' || s[i] == ' '))
            ++i;
        if (i < n && s[i] != '\'')
            i += qsizetype(std::strcspn(s + i, notableCharacters));
        if (i >= n)
            return;
        const char c = s[i];
        const char next = i + 1 < n ? s[i + 1] : '\0';
        if (c == '\'' || c == '"' || c == '`') {
            const SqlLexer::Token token = SqlLexer::next(m_text, i);
            const qsizetype from = i;
            i += token.length;
            if (c != '\'')
                continue;
            if (token.open) {
                m_usable = false;
                return;
            }
            // A quote glued to a word or a number is something else (X'0A' is a blob), and a
            // mark there would run into what follows (?5).
            if (!SqlLexer::isWordPart(s[from - 1]) && (i == n || !SqlLexer::isWordPart(s[i])))
                literal(from, i);
        } else if (c == '[') {
            // SQLite ends a bracketed name at its first ']'.
            const void* close = std::memchr(s + i, ']', size_t(n - i));
            i = close ? static_cast<const char*>(close) - s + 1 : n;
        } else if ((c == '-' && next == '-') || (c == '/' && next == '*')) {
            i = skipBlank(i);
        } else if (c == '-' || c == '/' || (c == '$' && SqlLexer::isWordPart(s[i - 1]))) {
            ++i; // an operator; a $ inside a name
        } else if (c == ';') {
            // A second statement runs only through the text as written.
            m_usable = skipBlank(i + 1) == n;
            return;
        } else {
            // A parameter of the caller's own; a NUL; a stray ']' (SQL Server's "]]" inside a
            // bracketed name), which SQLite refuses and the dialect's reader takes otherwise.
            m_usable = false;
            return;
        }
    }
}

void StatementShape::literal(qsizetype start, qsizetype end) {
    if (m_values.empty())
        m_values.reserve(64);
    const qsizetype from = start + 1;
    const qsizetype to = end - 1;
    // Inside a closed literal a quote is one of a doubled pair.
    if (!std::memchr(m_text.constData() + from, '\'', size_t(to - from))) {
        m_values.push_back({int(start), int(end), int(from), int(to - from), false});
        return;
    }
    const char* const s = m_text.constData();
    const int offset = int(m_unescaped.size());
    for (qsizetype k = from; k < to; ++k) {
        m_unescaped.append(s[k]);
        if (s[k] == '\'')
            ++k;
    }
    m_values.push_back({int(start), int(end), offset, int(m_unescaped.size()) - offset, true});
}

int StatementShape::bind(sqlite3_stmt* statement) const {
    const int count = parameterCount();
    for (int k = 0; k < count; ++k) {
        const Value& value = m_values[size_t(k)];
        const char* data =
            (value.unescaped ? m_unescaped.constData() : m_text.constData()) + value.offset;
        const int rc = sqlite3_bind_text(statement, k + 1, data, value.size, SQLITE_STATIC);
        if (rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

} // namespace ado
