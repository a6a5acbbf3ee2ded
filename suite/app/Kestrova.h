#pragma once

namespace suite {

// The kestrova executable: the suite shell, or one of its command-line tools.
int kestrovaMain(int argc, char** argv);

} // namespace suite
