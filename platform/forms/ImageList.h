#pragma once

#include "IControl.h"

#include <QIcon>

namespace forms {

// The common controls' image list: images for other controls, never drawn itself. The design
// key "images" lists them (QIcon, QPixmap, or a file or theme icon name).
class ImageList : public IControl {
public:
    static constexpr QUuid IID{0x6f1d2a40, 0x3c11, 0x4b7e, 0x9a, 0x51, 0x2e,
                               0x0b,       0x71,   0x8c,   0x44, 0x14};

    virtual int Count() const = 0;
    virtual QIcon image(int index) const = 0; // 1-based
    virtual void add(const QIcon& icon) = 0;
};

} // namespace forms
