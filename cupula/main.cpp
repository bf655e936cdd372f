#include <iostream>

#include "interrupt.h"
#include "tessafen.h"

int main() {
  std::ios::sync_with_stdio(false);
  scds::Start_Console_Program();
  return scds::tessafen::Run_Tessafen(std::cin, std::cout, ".");
}
