#pragma once

class QCoreApplication;

namespace suite {

// Puts the toolkit itself in Spanish: its own texts (standard buttons, the boxes' context menus,
// the standard dialogs) from Qt's Spanish catalogue, and month and day names in every calendar
// through the default locale. Call once the application object exists. Returns false when the
// catalogue is not installed; the suite then still runs, with those texts in English.
bool installSpanishTranslations(QCoreApplication& app);

} // namespace suite
