// Program entry of Kwerdel RQ.
#include <cstdio>

#include "platform/programdir.h"

int main() {
    // The main window arrives with the window layer; until then the program says what it is.
    std::printf("Kwerdel RQ 4.0 alpha - edytor tekstu\nKatalog programu: %s\n",
                krq::programDir().c_str());
    return 0;
}
