#pragma once

#include "ControlObject.h"
#include "ImageList.h"

#include <memory>

namespace forms {

// "MSComctlLib.ImageList": keeps its images for other controls; draws nothing.
class ImageListControl : public ControlObject<ImageList> {
public:
    ImageListControl();
    ~ImageListControl() override;

    void applyDesign(const DesignKeys& keys) override;
    int Count() const override;
    QIcon image(int index) const override;
    void add(const QIcon& icon) override;

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace forms
