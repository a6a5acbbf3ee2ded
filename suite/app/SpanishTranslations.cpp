#include "SpanishTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace suite {

bool installSpanishTranslations(QCoreApplication& app) {
    // The locale the month view already uses; its decimal point matches the suite's text forms.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Mexico));
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_es"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace suite
