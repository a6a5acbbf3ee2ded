#include "Die.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace suite::bench {

void die(const QString& what) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
                 qPrintable(what));
    std::exit(1);
}

} // namespace suite::bench
