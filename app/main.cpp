#include "app/ProgramEntry.h"

int main(int argc, char** argv) {
    return vtx::runProgram(argc, argv);
}
