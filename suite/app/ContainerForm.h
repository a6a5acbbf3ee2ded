#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/Ptr.h"
#include "platform/forms/Form.h"

#include <QString>

namespace suite {

// The shell's window around a component's screen (frmContenedor): it becomes the screen's
// Padre, takes the screen's window as its whole client area, carries its caption, answers the
// late-bound "Transaccion" and, being a form, raises "Activate" whenever it is activated.
// Unloading it unloads the screen first; a screen that refuses keeps both loaded.
class ContainerForm : public forms::Form {
    Q_OBJECT
public:
    explicit ContainerForm(QString transaccion);
    ~ContainerForm() override;

    // Sets the screen's Padre, loads it and shows it inside this window. A failure while the
    // screen loads is raised after the window is shown, as long as the screen has a window.
    void host(com::Ptr<com::IDispatch> screen);
    // Gives the screen up: clears its Padre and drops the reference, so that the component
    // may unload. The screen must be unloaded by then.
    void releaseScreen();

    const QString& transaccion() const { return m_transaccion; }

protected:
    void Form_Unload(int& cancel) override;
    QStringList memberNames() const override;
    QVariant invokeMember(const QString& name, com::InvokeKind kind, QVariantList& args) override;

private:
    QString m_transaccion;
    com::Ptr<com::IDispatch> m_screen;
    qintptr m_screenHandle = 0;
};

} // namespace suite
