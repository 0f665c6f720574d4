// `vek5`: the command-line tool. See cli/commands.h.
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "container/image_memory.h"

int main(int argc, char** argv) {
  vek5::PrepareProcessHeap();
  std::ios::sync_with_stdio(false);
  return vek5::cli::RunVek5(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
