#include "kit/programstart.h"

int main(int argc, char *argv[])
{
    return runProgram(ProgramNumber::Taluno2, argc, argv);
}
