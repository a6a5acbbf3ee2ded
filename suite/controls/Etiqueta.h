#pragma once

#include "KitControl.h"

class QLabel;

namespace suite {

// The kit's label (LabelVex.Etiqueta): caption, alignment (0 left, 1 right, 2 centre), colours,
// font and enabled state. The labels of a form are a control array; idetiqueta names each
// one for the suite's translations and is kept as given.
class Etiqueta : public KitControl<QLabel> {
public:
    Etiqueta();
    ~Etiqueta() override;

    void applyDesign(const forms::DesignKeys& keys) override;
    void applyScheme(const ColourScheme& scheme) override;

    QString idEtiqueta() const { return m_idEtiqueta; }

private:
    QString m_idEtiqueta;
    bool m_designFontSize = false;
};

} // namespace suite
