#pragma once

#include "KitControl.h"
#include "kt512/services/IControles.h"

namespace suite {

class TitleBandWidget;

// The kit's title toolbar (toolbarVEX.Controles): the form's caption with up to two command
// buttons (b1caption, b2caption; shown when they have a caption) and the exit button
// (showexitbutton "SI"/"NO", shown unless "NO"). Raises "B1Click", "B2Click" and "SalirClick".
// With permitir_mover the band drags its window. easyaccessenabled gives the buttons Alt
// shortcuts on their first letter; tabwidth, showmenupopup and showwindowslist are accepted
// and change nothing here.
class Controles : public KitControl<TitleBandWidget, kt512::IControles> {
public:
    Controles();
    ~Controles() override;

    void applyDesign(const forms::DesignKeys& keys) override;
    void NotificarActivacion(bool valor) override;
    QString Caption() override;
    void setCaption(const QString& caption) override;

    int notificaciones() const { return m_notifications; }
    bool ultimaNotificacion() const { return m_lastNotification; }

private:
    void updateButtons();

    QString m_b1Caption;
    QString m_b2Caption;
    bool m_easyAccess = false;
    int m_notifications = 0;
    bool m_lastNotification = false;
};

} // namespace suite
