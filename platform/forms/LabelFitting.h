#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

namespace forms {

// Labels designed for one font meet others here: a caption wider than its label would lose its
// first or last letters. Each of the controls that is a label and whose text does not fit grows
// into the free room beside it, on the side its alignment points away from first, up to the
// neighbouring controls of its row and the edges of its container; no other control moves.
class LabelFitting {
public:
    static void fit(const std::vector<QPointer<QWidget>>& controls);
};

} // namespace forms
