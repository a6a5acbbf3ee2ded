#pragma once

#include <QString>

class QTextStream;

namespace suite {

// The demo database of a user who names none: kestrova-demo.sqlite in the application's data
// folder, made with the demo data generator on first start (around today). The file appears
// only once complete. Raises com::RuntimeError when it cannot be made.
QString demoDatabasePath();
QString ensureDemoDatabase(QTextStream& out);

} // namespace suite
