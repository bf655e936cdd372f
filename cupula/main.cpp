#include <iostream>

#include "cupula.h"

int main() {
  std::ios::sync_with_stdio(false);
  return scds::Run_Tessafen(std::cin, std::cout, ".");
}
