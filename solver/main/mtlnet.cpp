// mtlnet: analyses the network described by the input files in the current
// directory and writes the run report and the parameter files there.
#include <iostream>

#include "run_mtlnet.h"

int main() { return solver::run_mtlnet(".", std::cerr); }
