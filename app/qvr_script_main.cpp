// qvr-script: the game without a window, played from a key script (see
// app/script_runner.h).

#include <iostream>

#include "app/script_runner.h"

int main(int argc, char** argv)
{
    return qvr::ScriptMain(argc - 1, argv + 1, std::cin, std::cout, std::cerr);
}
