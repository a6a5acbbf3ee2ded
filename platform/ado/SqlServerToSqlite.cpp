#include "SqlServerToSqlite.h"

#include "SqlLexer.h"
#include "SqlServerForms.h"

#include <QStringView>
#include <vector>

namespace ado {

namespace {

using Kind = SqlLexer::Kind;
using Token = SqlLexer::Token;

class Translation {
public:
    Translation(const QString& sql, const SqlServerForms& forms)
        : m_sql(sql), m_forms(forms), m_tokens(SqlLexer::tokenize(sql)) {}

    QString run() {
        if (!matchParentheses())
            return m_sql;
        QString out;
        out.reserve(m_sql.size() + 32);
        const int n = count();
        int lo = 0;
        for (int i = 0; i < n; ++i) {
            if (isPunct(i, u'('))
                i = m_match[i];
            else if (isPunct(i, u';')) {
                out += scope(lo, i);
                out += QLatin1Char(';');
                lo = i + 1;
            }
        }
        out += scope(lo, n);
        return m_changed ? out : m_sql;
    }

private:
    struct Range {
        int lo;
        int hi;
    };

    int count() const { return static_cast<int>(m_tokens.size()); }
    QStringView text(int i) const {
        const Token& t = m_tokens[static_cast<size_t>(i)];
        return QStringView(m_sql).mid(t.start, t.length);
    }
    QStringView text(int lo, int hi) const {
        if (lo >= hi)
            return {};
        const Token& first = m_tokens[static_cast<size_t>(lo)];
        const Token& last = m_tokens[static_cast<size_t>(hi - 1)];
        return QStringView(m_sql).mid(first.start, last.start + last.length - first.start);
    }
    Kind kind(int i) const { return m_tokens[static_cast<size_t>(i)].kind; }
    bool isPunct(int i, char16_t c) const {
        return kind(i) == Kind::Punct && text(i).front() == QChar(c);
    }
    bool isWord(int i, const char* word) const {
        return kind(i) == Kind::Word && SqlLexer::isKeyword(text(i), word);
    }
    bool significant(int i) const { return kind(i) != Kind::Space && kind(i) != Kind::Comment; }
    // The first significant token at or after i, or hi.
    int nextSig(int i, int hi) const {
        while (i < hi && !significant(i))
            ++i;
        return i;
    }
    int lastSig(int lo, int hi) const {
        for (int i = hi - 1; i >= lo; --i) {
            if (significant(i))
                return i;
        }
        return -1;
    }

    bool matchParentheses() {
        m_match.assign(m_tokens.size(), -1);
        std::vector<int> open;
        for (int i = 0; i < count(); ++i) {
            if (isPunct(i, u'(')) {
                open.push_back(i);
            } else if (isPunct(i, u')')) {
                if (open.empty())
                    return false;
                m_match[static_cast<size_t>(open.back())] = i;
                m_match[static_cast<size_t>(i)] = open.back();
                open.pop_back();
            }
        }
        return open.empty();
    }
    int match(int i) const { return m_match[static_cast<size_t>(i)]; }

    // Does the scope [lo, hi) combine SELECTs at its own level? A TOP then limits only its
    // own SELECT, which a LIMIT at the end cannot say.
    bool compound(int lo, int hi) const {
        for (int i = lo; i < hi; ++i) {
            if (isPunct(i, u'('))
                i = match(i);
            else if (isWord(i, "UNION") || isWord(i, "EXCEPT") || isWord(i, "INTERSECT"))
                return true;
        }
        return false;
    }

    // The translation of the tokens [lo, hi): a whole statement or the inside of parentheses.
    QString scope(int lo, int hi) {
        QString out;
        const int last = lastSig(lo, hi);
        const bool isCompound = compound(lo, hi);
        QString limit;
        bool limitPlaced = false;
        int i = lo;
        while (i < hi) {
            int end = i;
            if (isWord(i, "ISNULL") && isCall(i, hi) && !afterDot(i, lo)) {
                nullCall(i, hi, out, end);
                m_changed = true;
            } else if (isWord(i, "CONVERT") && isCall(i, hi) && convert(i, hi, out, end)) {
                m_changed = true;
            } else if (isWord(i, "SELECT") && !isCompound && limit.isEmpty() &&
                       top(i, hi, out, end, limit)) {
                m_changed = true;
            } else if (isWord(i, "INSERT") && insertSelect(i, hi, out, end)) {
                m_changed = true;
            } else if (isPunct(i, u'(')) {
                end = match(i);
                out += QLatin1Char('(');
                out += scope(i + 1, end);
                out += QLatin1Char(')');
            } else {
                out += text(i);
            }
            if (!limit.isEmpty() && !limitPlaced && end >= last) {
                out += limit;
                limitPlaced = true;
            }
            i = end + 1;
        }
        return out;
    }

    bool isCall(int i, int hi) const {
        const int p = nextSig(i + 1, hi);
        return p < hi && isPunct(p, u'(');
    }
    bool afterDot(int i, int lo) const {
        const int p = lastSig(lo, i);
        return p >= 0 && isPunct(p, u'.');
    }

    // The comma-separated arguments of the call whose '(' is at p.
    std::vector<Range> arguments(int p) const {
        std::vector<Range> args;
        int lo = p + 1;
        const int close = match(p);
        for (int i = lo; i < close; ++i) {
            if (isPunct(i, u'('))
                i = match(i);
            else if (isPunct(i, u',')) {
                args.push_back({lo, i});
                lo = i + 1;
            }
        }
        args.push_back({lo, close});
        return args;
    }

    // The significant tokens of a range, parentheses included.
    std::vector<int> significantIn(Range r) const {
        std::vector<int> result;
        for (int i = r.lo; i < r.hi; ++i) {
            if (significant(i))
                result.push_back(i);
        }
        return result;
    }

    // ISNULL(a, b) under the target's name. A database that types an empty text by its column
    // gets a text there: SQL Server reads ISNULL(date, '') as 1900-01-01 where others fail.
    void nullCall(int i, int hi, QString& out, int& end) {
        const int p = nextSig(i + 1, hi);
        out += QLatin1String(m_forms.nullFunction);
        out += text(i + 1, p);
        out += QLatin1Char('(');
        const std::vector<Range> args = arguments(p);
        const bool emptyText = args.size() == 2 && m_forms.emptyTextAsText &&
                               significantIn(args[1]).size() == 1 &&
                               text(significantIn(args[1]).front()) == QLatin1String("''");
        for (size_t a = 0; a < args.size(); ++a) {
            if (a > 0)
                out += QLatin1Char(',');
            const QString value = scope(args[a].lo, args[a].hi);
            out += a == 0 && emptyText ? QStringLiteral("CAST(%1 AS VARCHAR)").arg(value) : value;
        }
        out += QLatin1Char(')');
        end = match(p);
    }

    // CONVERT(VARCHAR, x, 108) and CONVERT(VARCHAR(n), x, 108): the time of day of x.
    bool convert(int i, int hi, QString& out, int& end) {
        const int p = nextSig(i + 1, hi);
        const std::vector<Range> args = arguments(p);
        if (args.size() != 3)
            return false;
        const std::vector<int> type = significantIn(args[0]);
        const std::vector<int> style = significantIn(args[2]);
        if (style.size() != 1 || text(style[0]) != QLatin1String("108"))
            return false;
        if (type.empty() || !(isWord(type[0], "VARCHAR") || isWord(type[0], "NVARCHAR")))
            return false;
        QStringView length;
        if (type.size() == 4 && isPunct(type[1], u'(') && kind(type[2]) == Kind::Number &&
            isPunct(type[3], u')'))
            length = text(type[2]);
        else if (type.size() != 1)
            return false;

        const QString x = scope(args[1].lo, args[1].hi);
        QString expression = QString::fromLatin1(m_forms.timeOfDay).arg(x);
        if (!length.isEmpty())
            expression = QStringLiteral("substr(%1, 1, %2)").arg(expression, length);
        out += expression;
        end = match(p);
        return true;
    }

    // SELECT [ALL|DISTINCT] TOP n: keep the SELECT, drop "TOP n", and hand back the LIMIT that
    // goes after the last token of the SELECT's scope.
    bool top(int i, int hi, QString& out, int& end, QString& limit) {
        int t = nextSig(i + 1, hi);
        if (t < hi && (isWord(t, "ALL") || isWord(t, "DISTINCT")))
            t = nextSig(t + 1, hi);
        if (t >= hi || !isWord(t, "TOP"))
            return false;
        const int n = nextSig(t + 1, hi);
        if (n >= hi)
            return false;
        int nEnd = n;
        if (isPunct(n, u'('))
            nEnd = match(n);
        else if (kind(n) != Kind::Number || !text(n).front().isDigit() ||
                 text(n).contains(QLatin1Char('.')))
            return false;
        const int after = nextSig(nEnd + 1, hi);
        if (after < hi && (isWord(after, "PERCENT") || isWord(after, "WITH")))
            return false;

        out += text(i, t);
        limit = QStringLiteral(" LIMIT ") + text(n, nEnd + 1).toString();
        end = nEnd;
        while (end + 1 < hi && kind(end + 1) == Kind::Space)
            ++end;
        return true;
    }

    // INSERT [INTO] t [(cols)] ( SELECT ... ): the same without the parentheses around the
    // SELECT, when nothing follows them.
    bool insertSelect(int i, int hi, QString& out, int& end) {
        int j = nextSig(i + 1, hi);
        if (j < hi && isWord(j, "INTO"))
            j = nextSig(j + 1, hi);
        if (j >= hi || !isName(j))
            return false;
        int nameEnd = j;
        for (;;) {
            const int dot = nextSig(nameEnd + 1, hi);
            const int part = dot < hi ? nextSig(dot + 1, hi) : hi;
            if (dot < hi && isPunct(dot, u'.') && part < hi && isName(part))
                nameEnd = part;
            else
                break;
        }
        int group = nextSig(nameEnd + 1, hi);
        if (group >= hi || !isPunct(group, u'('))
            return false;
        if (!startsQuery(group)) {
            group = nextSig(match(group) + 1, hi);
            if (group >= hi || !isPunct(group, u'(') || !startsQuery(group))
                return false;
        }
        const int close = match(group);
        if (nextSig(close + 1, hi) != hi)
            return false;

        out += text(i, group);
        // Keep the words apart where the parentheses were their only separator.
        if (kind(group - 1) != Kind::Space && kind(group + 1) != Kind::Space)
            out += QLatin1Char(' ');
        out += scope(group + 1, close);
        if (kind(close - 1) != Kind::Space && close + 1 < hi && kind(close + 1) != Kind::Space)
            out += QLatin1Char(' ');
        end = close;
        return true;
    }

    bool isName(int i) const { return kind(i) == Kind::Word || kind(i) == Kind::Quoted; }
    bool startsQuery(int open) const {
        const int first = nextSig(open + 1, match(open));
        return first < match(open) && (isWord(first, "SELECT") || isWord(first, "WITH"));
    }

    const QString& m_sql;
    const SqlServerForms& m_forms;
    std::vector<Token> m_tokens;
    std::vector<int> m_match;
    bool m_changed = false;
};

constexpr quint32 prefix(const char* word) {
    return quint32(quint8(word[0])) << 24 | quint32(quint8(word[1])) << 16 |
           quint32(quint8(word[2])) << 8 | quint32(quint8(word[3]));
}

// Every form rewritten starts at one of these words: TOP and INSERT ... ( SELECT come with a
// SELECT (or a WITH). A text without any of them, even inside a longer word or a literal, needs
// no reading token by token, and most statements of the screens are such. The last four
// characters are kept in one word, so the common case takes no branch.
bool mayHoldForms(QStringView s) {
    static const char* const words[] = {"isnull", "convert", "select", "with"};
    constexpr quint32 isnu = prefix("isnull"), conv = prefix("convert"), sele = prefix("select"),
                      with = prefix("with");
    const char16_t* const data = s.utf16();
    const qsizetype n = s.size();
    quint32 last = 0;
    for (qsizetype i = 0; i < n; ++i) {
        last = last << 8 | quint8(SqlLexer::keywordLetter(data[i]));
        if (Q_UNLIKELY(last == isnu || last == conv || last == sele || last == with)) {
            for (const char* word : words) {
                const qsizetype size = qsizetype(qstrlen(word));
                if (i - 3 + size <= n && SqlLexer::isKeyword(s.mid(i - 3, size), word))
                    return true;
            }
        }
    }
    return false;
}

} // namespace

QString translateSqlServer(const QString& sql, const SqlServerForms& forms) {
    if (!mayHoldForms(sql))
        return sql;
    return Translation(sql, forms).run();
}

QString SqlServerToSqlite::translate(const QString& sql) {
    // strftime reads ISO text, with or without the time; '' is SQL Server's 1900-01-01.
    static const SqlServerForms sqlite{
        "IFNULL", false,
        "COALESCE(strftime('%H:%M:%S', %1), CASE WHEN (%1) = '' THEN '00:00:00' END)"};
    return translateSqlServer(sql, sqlite);
}

} // namespace ado
