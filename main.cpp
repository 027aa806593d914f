#include "app/crashmoor_main.h"

int main(int argc, char** argv) {
    return CrashmoorMain(argc, argv);
}
