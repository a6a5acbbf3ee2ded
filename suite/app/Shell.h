#pragma once

class QTextStream;

namespace suite {

struct ShellOptions;

// The suite shell: opens the host session, registers the host services, the business services
// and the control kit in a runtime of its own, registers libKT512.so when the class registry
// does not point at it, creates KT512.Pantalla, and shows its screen in a container window until
// that window is closed. Needs a QApplication. Returns the exit status.
int runShell(const ShellOptions& options, QTextStream& out, QTextStream& err);

} // namespace suite
