#include "platform/com/Boundary.h"
#include "suite/app/Kestrova.h"

#include <cstdio>

int main(int argc, char** argv) {
    // What escapes everything else still ends the process with a word and a status, not with
    // std::terminate.
    try {
        return suite::kestrovaMain(argc, argv);
    } catch (...) {
        const com::RuntimeError error = com::caughtError();
        std::fprintf(stderr, "kestrova: error %ld: %s\n", error.number(),
                     qUtf8Printable(error.description()));
        return 1;
    }
}
