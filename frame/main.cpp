#include <iostream>

#include "interrupt.h"
#include "quintarel.h"

int main() {
  std::ios::sync_with_stdio(false);
  scds::Start_Console_Program();
  return scds::quintarel::Run_Quintarel(std::cin, std::cout, ".");
}
