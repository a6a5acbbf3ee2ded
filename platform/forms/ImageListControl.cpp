#include "ImageListControl.h"

#include "platform/com/RuntimeError.h"

#include <QFileInfo>
#include <QList>
#include <QPixmap>

namespace forms {

struct ImageListControl::State {
    QList<QIcon> images;
};

ImageListControl::ImageListControl() : ControlObject(nullptr, {}), d(std::make_unique<State>()) {}

ImageListControl::~ImageListControl() = default;

void ImageListControl::applyDesign(const DesignKeys& keys) {
    // Each image keeps its own size; the views scale them.
    keys.ignore({"imageheight", "imagewidth"});
    for (const QVariant& image : keys.value(QStringLiteral("images")).toList()) {
        switch (image.metaType().id()) {
        case QMetaType::QIcon:
            add(image.value<QIcon>());
            break;
        case QMetaType::QPixmap:
            add(QIcon(image.value<QPixmap>()));
            break;
        default: {
            const QString name = image.toString();
            add(QFileInfo::exists(name) ? QIcon(name) : QIcon::fromTheme(name));
            break;
        }
        }
    }
}

int ImageListControl::Count() const {
    return static_cast<int>(d->images.size());
}

QIcon ImageListControl::image(int index) const {
    if (index < 1 || index > d->images.size())
        throw com::RuntimeError(QStringLiteral("Index out of bounds"), 35600);
    return d->images.at(index - 1);
}

void ImageListControl::add(const QIcon& icon) {
    d->images.append(icon);
}

} // namespace forms
