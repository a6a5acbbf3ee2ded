#include "suite/app/Kestrova.h"

int main(int argc, char** argv) {
    return suite::kestrovaMain(argc, argv);
}
