#include <iostream>

#include "tessafen.h"

int main() {
  std::ios::sync_with_stdio(false);
  return scds::tessafen::Run_Tessafen(std::cin, std::cout, ".");
}
