#pragma once

#include <QPointer>
#include <QWidget>

namespace forms {

// The container's members of a control (VB's extender): position and size in twips, Enabled,
// Visible and SetFocus. Raises com::RuntimeError 380 ("Invalid property value") for a negative
// size and 5 ("Invalid procedure call or argument") when SetFocus is impossible.
class Extender {
public:
    explicit Extender(QWidget* widget);

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);

    bool Enabled() const;
    void setEnabled(bool enabled);
    bool Visible() const;
    void setVisible(bool visible);
    bool canFocus() const;
    void SetFocus();

    QWidget* widget() const { return m_widget; }

private:
    QPointer<QWidget> m_widget;
};

} // namespace forms
