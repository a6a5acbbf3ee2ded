#pragma once

#include <QIcon>

namespace suite {

// The few glyphs the kit draws itself, so that they look the same whatever icon theme the
// desktop has (or none).
class KitIcons {
public:
    static QIcon magnifier();
    static QIcon close();
    static QIcon minimize();
    static QIcon maximize();
};

} // namespace suite
