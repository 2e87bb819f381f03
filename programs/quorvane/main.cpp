// Quorvane: the window program.
#include "windows/QuorvaneProgram.h"

int main(int argc, char* argv[])
{
    return windows::runQuorvane(argc, argv);
}
