#include "FormatoLista.h"

#include "ListText.h"
#include "platform/forms/ListView.h"
#include "platform/forms/Twips.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

namespace suite {

namespace {

// Enough rows, spread over the whole list, to judge a column without walking a hundred
// thousand of them on every reload.
constexpr int kSampleRows = 1000;
constexpr int kMinWidthPx = 40;
constexpr int kMaxWidthPx = 320;
// Room for the cell margins, and in the header for the sort arrow.
constexpr int kCellPaddingPx = 16;
constexpr int kHeaderPaddingPx = 28;

QString cell(const forms::ListView& lista, int row, int column) {
    return column == 1 ? lista.itemText(row) : lista.subItem(row, column - 1);
}

struct ColumnLook {
    QString longest;
    bool numbers = true;
    bool isoDates = false;
    bool empty = true;
};

ColumnLook look(const forms::ListView& lista, int column, int rows) {
    ColumnLook result;
    const int step = std::max(1, rows / kSampleRows);
    for (int row = 1; row <= rows; row += step) {
        QString text = cell(lista, row, column);
        if (text.isEmpty())
            continue;
        result.empty = false;
        if (text.size() > result.longest.size())
            result.longest = text;
        if (result.numbers && !ListText::isNumber(text))
            result.numbers = false;
        if (!result.isoDates && ListText::rewriteIsoDate(text))
            result.isoDates = true;
    }
    return result;
}

// Rewrites the ISO dates that a list filled elsewhere may hold.
void rewriteDates(forms::ListView& lista) {
    const int columns = lista.columnCount();
    QStringList headers;
    for (int c = 1; c <= columns; ++c)
        headers << lista.columnText(c);
    forms::ListContent rows;
    for (int r = 1; r <= lista.Count(); ++r) {
        rows.addRow();
        for (int c = 1; c <= columns; ++c) {
            QString text = cell(lista, r, c);
            ListText::rewriteIsoDate(text);
            rows.addCell(text);
        }
    }
    rows.squeeze();
    lista.setContent(headers, std::move(rows));
}

} // namespace

void FormatoLista::Aplicar(forms::ListView& lista) {
    const int columns = lista.columnCount();
    const int rows = lista.Count();
    std::vector<ColumnLook> looks;
    bool anyIsoDate = false;
    for (int c = 1; c <= columns; ++c) {
        looks.push_back(look(lista, c, rows));
        anyIsoDate = anyIsoDate || looks.back().isoDates;
    }
    if (anyIsoDate)
        rewriteDates(lista);

    QWidget* widget = lista.widget();
    const QFontMetrics metrics(widget->font());
    for (int c = 1; c <= columns; ++c) {
        const ColumnLook& column = looks[size_t(c - 1)];
        QString longest = column.longest;
        ListText::rewriteIsoDate(longest);
        const int px =
            std::clamp(std::max(metrics.horizontalAdvance(lista.columnText(c)) + kHeaderPaddingPx,
                                metrics.horizontalAdvance(longest) + kCellPaddingPx),
                       kMinWidthPx, kMaxWidthPx);
        lista.setColumnWidth(c, forms::pixelsToTwipsX(px));
        const bool right = column.numbers && !column.empty;
        lista.setColumnAlignment(c, (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
}

} // namespace suite
