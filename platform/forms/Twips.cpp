#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

namespace forms {

namespace {

constexpr double kTwipsPerInch = 1440.0;

double dpiX() {
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double dpiY() {
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

} // namespace

int twipsToPixelsX(int twips) {
    return qRound(twips * dpiX() / kTwipsPerInch);
}
int twipsToPixelsY(int twips) {
    return qRound(twips * dpiY() / kTwipsPerInch);
}
int pixelsToTwipsX(int pixels) {
    return qRound(pixels * kTwipsPerInch / dpiX());
}
int pixelsToTwipsY(int pixels) {
    return qRound(pixels * kTwipsPerInch / dpiY());
}

} // namespace forms
