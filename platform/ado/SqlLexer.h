#pragma once

#include <QByteArrayView>
#include <QStringView>
#include <vector>

namespace ado {

// SQL text read as tokens, by the dialect translation and by the statement shapes alike. String
// literals, quoted names ("", ``, []) and comments are tokens of their own whatever they hold, so
// nothing inside them passes for a keyword; names start with a letter, _, @ or # (SQL Server's
// variables and temporary tables). Text comes as UTF-16 or as UTF-8, where every byte of a
// character beyond ASCII counts as a letter, as SQLite counts it.
class SqlLexer {
public:
    enum class Kind { Space, Comment, Literal, Quoted, Word, Number, Punct };
    struct Token {
        Kind kind;
        qsizetype start;
        qsizetype length;
        bool open; // a literal, quoted name or comment that the text ends inside
    };

    static std::vector<Token> tokenize(QStringView sql);
    // The token that starts at i, which is inside the text.
    static Token next(QStringView sql, qsizetype i);
    static Token next(QByteArrayView sql, qsizetype i);

    static bool isWordPart(QChar c);
    static bool isWordPart(char c);
    // A character as keywords are compared: ASCII with its letters in lower case, and the few
    // letters beyond it whose case folds into it (the long s, the Kelvin sign); 0 for any other.
    static char keywordLetter(char16_t c) {
        if (c < 0x80)
            return char(c >= 'A' && c <= 'Z' ? c + 32 : c);
        return c < 0x100 ? 0 : foldedIntoAscii(c);
    }
    // Whether word is the keyword, letter case aside.
    static bool isKeyword(QStringView word, const char* keyword);
    static bool isKeyword(QByteArrayView word, const char* keyword);

private:
    static char foldedIntoAscii(char16_t c);
};

} // namespace ado
