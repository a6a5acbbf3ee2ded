#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace forms {

// How the list view sees letters, for its search and its sort alike. Letter case never counts:
// each character folds to its lower case, one for one, so a folded text keeps the positions of
// the text. Sorting also sets accents aside, but keeps ñ a letter of its own after n, as a
// Spanish word list does.
class TextFolding {
public:
    static char16_t fold(char16_t c);
    static QString fold(QStringView text);
    // Whether text holds needle, which is folded already. As VB's InStr: an empty needle is in
    // every text but the empty one.
    static bool contains(QStringView text, QStringView foldedNeedle);
    // Appends the key by which text sorts.
    static void appendSortKey(QStringView text, std::vector<char16_t>& out);
};

} // namespace forms
