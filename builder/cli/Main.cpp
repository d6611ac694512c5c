// quiv: the installer builder's command line (builder/Commands.h).
#include "builder/Commands.h"

#include <iostream>

int main(int argc, char** argv)
{
    return runQuiv(argc, argv, std::cout, std::cerr);
}
