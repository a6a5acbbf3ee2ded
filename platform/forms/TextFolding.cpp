#include "TextFolding.h"

#include <QChar>
#include <array>

namespace forms {

namespace {

// Latin-1 in lower case: one look-up for nearly every character of Spanish text.
const std::array<char16_t, 256> kLatin1Folded = [] {
    std::array<char16_t, 256> folded{};
    for (char32_t c = 0; c < 256; ++c)
        folded[c] = char16_t(QChar::toLower(c));
    return folded;
}();

// Base letters of the folded accented Latin-1 letters, U+00DF to U+00FF; 0 for the sign among
// them.
constexpr char kLatin1Base[] = "saaaaaaaceeeeiiiidnooooo\0ouuuuyty";

inline char16_t folded(char16_t c) {
    return c < 0x100 ? kLatin1Folded[c] : char16_t(QChar::toLower(char32_t(c)));
}

} // namespace

char16_t TextFolding::fold(char16_t c) {
    return folded(c);
}

QString TextFolding::fold(QStringView text) {
    QString out(text.size(), Qt::Uninitialized);
    QChar* o = out.data();
    for (const QChar c : text)
        *o++ = QChar(folded(c.unicode()));
    return out;
}

bool TextFolding::contains(QStringView text, QStringView foldedNeedle) {
    if (text.isEmpty())
        return false;
    const qsizetype m = foldedNeedle.size();
    if (m == 0)
        return true;
    const qsizetype n = text.size();
    const char16_t* const t = text.utf16();
    const char16_t* const k = foldedNeedle.utf16();
    const char16_t first = k[0];
    for (qsizetype i = 0; i + m <= n; ++i) {
        if (folded(t[i]) != first)
            continue;
        qsizetype j = 1;
        while (j < m && folded(t[i + j]) == k[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
}

void TextFolding::appendSortKey(QStringView text, std::vector<char16_t>& out) {
    for (const QChar original : text) {
        const char16_t c = folded(original.unicode());
        if (c < 0x80) {
            out.push_back(c);
        } else if (c == 0xF1) {
            out.push_back(u'n');
            out.push_back(0xFFFF);
        } else if (c >= 0xDF && c <= 0xFF && kLatin1Base[c - 0xDF]) {
            out.push_back(char16_t(kLatin1Base[c - 0xDF]));
        } else if (QChar(c).decompositionTag() == QChar::Canonical) {
            out.push_back(folded(QChar(c).decomposition().at(0).unicode()));
        } else {
            out.push_back(c);
        }
    }
}

} // namespace forms
