#include "SqlLexer.h"

#include <string>
#include <type_traits>

namespace ado {

namespace {

bool isAsciiLetter(char16_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isSpace(char16_t c) {
    return QChar::isSpace(char32_t(c));
}
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}
bool isDigit(char16_t c) {
    return QChar::isDigit(char32_t(c));
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char16_t c) {
    return c < 0x80 ? isAsciiLetter(c) : QChar::isLetter(char32_t(c));
}
bool isLetter(char c) {
    return isAsciiLetter(char16_t(c)) || static_cast<unsigned char>(c) >= 0x80;
}
template <class Char> bool isWordStart(Char c) {
    return isLetter(c) || c == '_' || c == '@' || c == '#';
}
template <class Char> bool isWordPart(Char c) {
    return isWordStart(c) || isDigit(c) || c == '$';
}

template <class Char> class Reader {
public:
    Reader(const Char* s, qsizetype n) : m_s(s), m_n(n) {}

    SqlLexer::Token next(qsizetype i) const {
        const qsizetype start = i;
        const Char c = m_s[i];
        const Char after = at(i + 1);
        SqlLexer::Kind kind = SqlLexer::Kind::Punct;
        bool open = false;
        if (isSpace(c)) {
            kind = SqlLexer::Kind::Space;
            while (i < m_n && isSpace(m_s[i]))
                ++i;
        } else if (c == '-' && after == '-') {
            kind = SqlLexer::Kind::Comment;
            const Char* eol = std::char_traits<Char>::find(m_s + i, size_t(m_n - i), Char('\n'));
            i = eol ? eol - m_s : m_n;
        } else if (c == '/' && after == '*') {
            kind = SqlLexer::Kind::Comment;
            i += 2;
            for (;;) {
                const Char* star =
                    std::char_traits<Char>::find(m_s + i, size_t(m_n - i), Char('*'));
                if (!star) {
                    i = m_n;
                    open = true;
                    break;
                }
                i = star - m_s + 1;
                if (at(i) == '/') {
                    ++i;
                    break;
                }
            }
        } else if (c == '\'') {
            kind = SqlLexer::Kind::Literal;
            i = delimited(i + 1, Char('\''), open);
        } else if (c == '"' || c == '`') {
            kind = SqlLexer::Kind::Quoted;
            i = delimited(i + 1, c, open);
        } else if (c == '[') {
            kind = SqlLexer::Kind::Quoted;
            i = delimited(i + 1, Char(']'), open);
        } else if (isWordStart(c)) {
            kind = SqlLexer::Kind::Word;
            while (i < m_n && isWordPart(m_s[i]))
                ++i;
        } else if (isDigit(c) || (c == '.' && isDigit(after))) {
            kind = SqlLexer::Kind::Number;
            while (i < m_n && (isDigit(m_s[i]) || m_s[i] == '.'))
                ++i;
            if (at(i) == 'e' || at(i) == 'E') {
                qsizetype j = i + 1;
                if (at(j) == '+' || at(j) == '-')
                    ++j;
                if (j < m_n && isDigit(m_s[j])) {
                    i = j;
                    while (i < m_n && isDigit(m_s[i]))
                        ++i;
                }
            }
        } else {
            ++i;
        }
        return {kind, start, i - start, open};
    }

private:
    Char at(qsizetype i) const { return i < m_n ? m_s[i] : Char(0); }

    // Index just past a run closed by `close`, where a doubled `close` stands for itself.
    qsizetype delimited(qsizetype i, Char close, bool& open) const {
        for (;;) {
            const Char* found = std::char_traits<Char>::find(m_s + i, size_t(m_n - i), close);
            if (!found) {
                open = true;
                return m_n;
            }
            i = found - m_s + 1;
            if (at(i) != close)
                return i;
            ++i;
        }
    }

    const Char* m_s;
    qsizetype m_n;
};

template <class Char> bool sameKeyword(const Char* word, qsizetype size, const char* keyword) {
    for (qsizetype k = 0; k < size; ++k, ++keyword) {
        if (!*keyword ||
            SqlLexer::keywordLetter(char16_t(static_cast<std::make_unsigned_t<Char>>(word[k]))) !=
                SqlLexer::keywordLetter(char16_t(*keyword)))
            return false;
    }
    return !*keyword;
}

} // namespace

std::vector<SqlLexer::Token> SqlLexer::tokenize(QStringView sql) {
    std::vector<Token> tokens;
    const Reader<char16_t> reader(sql.utf16(), sql.size());
    for (qsizetype i = 0; i < sql.size();) {
        tokens.push_back(reader.next(i));
        i += tokens.back().length;
    }
    return tokens;
}

SqlLexer::Token SqlLexer::next(QStringView sql, qsizetype i) {
    return Reader<char16_t>(sql.utf16(), sql.size()).next(i);
}

SqlLexer::Token SqlLexer::next(QByteArrayView sql, qsizetype i) {
    return Reader<char>(sql.data(), sql.size()).next(i);
}

bool SqlLexer::isWordPart(QChar c) {
    return ado::isWordPart(c.unicode());
}

bool SqlLexer::isWordPart(char c) {
    return ado::isWordPart(c);
}

bool SqlLexer::isKeyword(QStringView word, const char* keyword) {
    return sameKeyword(word.utf16(), word.size(), keyword);
}

bool SqlLexer::isKeyword(QByteArrayView word, const char* keyword) {
    return sameKeyword(word.data(), word.size(), keyword);
}

char SqlLexer::foldedIntoAscii(char16_t c) {
    const char32_t folded = QChar::toCaseFolded(char32_t(c));
    return folded < 0x80 ? char(folded) : 0;
}

} // namespace ado
