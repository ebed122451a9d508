// fxhost: runs the effect plug-in outside the application (fxhost --help).
#include <iostream>

#include "fxhost/commands/commands.h"

int main(int argc, char** argv) {
  return fxhost::RunFxhost(argc, argv, std::cout, std::cerr);
}
