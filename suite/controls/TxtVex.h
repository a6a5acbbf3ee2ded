#pragma once

#include "KitControl.h"
#include "NumberPattern.h"
#include "kt512/services/ItxtVEX.h"

#include <QColor>
#include <functional>

class QAction;

namespace ado {
class Connection;
}

namespace suite {

class TextBoxWidget;

// The kit's text box (textoVEX.txtVEX). Three kinds in one:
// - a code box: with "sql" and "sql_control_resultado" it looks the typed code up in its
//   catalogue and writes the description into the named box of the same form; with a code
//   pattern ("0000") it pads a typed numeric code the way the catalogue stores it;
// - a numeric box (tipodato 5 or an amount pattern): only numbers go in, the box shows them
//   formatted while it does not have the focus and plain while the user types, and the value
//   is kept as exact decimal text;
// - a plain box for anything else.
// The lookup runs whenever the code changes, as the user types or when code sets Text, so that
// the description always belongs to the code in the box. Text gives a typed numeric code
// already padded to its pattern, as the catalogue stores it; the box itself shows the padding
// once the user presses Enter or leaves it.
class TxtVex : public KitControl<TextBoxWidget, kt512::ItxtVEX> {
public:
    using ConnectionSource = std::function<ado::Connection&()>;

    explicit TxtVex(ConnectionSource connection = {});
    ~TxtVex() override;

    // IControl
    void applyDesign(const forms::DesignKeys& keys) override;
    // ItxtVEX
    QString Text() override;
    void setText(const QString& text) override;
    void setFormatoPersonal(const QString& pattern) override;
    QString ValorNumerico() override;
    bool Enabled() override;

    void applyScheme(const ColourScheme& scheme) override;

    bool isNumeric() const { return m_numeric; }
    QString idConsulta() const { return m_idConsulta; }

private:
    void setValue(const QString& text);
    bool onKey(QKeyEvent* event);
    void onFocusIn();
    void onFocusOut();
    // The user is done with the box (Enter, or leaving it): show the code padded, the amount
    // in its plain form.
    void commit();
    // The code in the box as the catalogue stores it.
    QString code() const;
    void lookUp();
    void showValue();
    void updateEditing();
    void updateStyle();

    ConnectionSource m_connection;
    NumberPattern m_pattern;
    int m_tipoDato = 0;
    int m_maxLength = 0;
    bool m_numeric = false;
    bool m_upper = false;
    bool m_tabOnEnter = false;
    bool m_selectOnFocus = false;
    bool m_locked = false;
    bool m_esClave = false;
    int m_formatoC = 0;
    QString m_idConsulta;
    QString m_sql;
    QString m_resultControl;
    // A numeric box's number as typed, plain; "" when the box is empty.
    QString m_plain;
    bool m_showing = false;
    bool m_lookingUp = false;
    bool m_applyingDesign = false;
    bool m_refresh = false;
    // The code of the last lookup: showing a typed code padded looks nothing up again.
    QString m_lookedUp;
    QAction* m_glass = nullptr;
    QColor m_enabledColor, m_disabledColor, m_focusColor;
    QColor m_designEnabled, m_designDisabled, m_designFocus;
    bool m_designFontSize = false;
};

} // namespace suite
