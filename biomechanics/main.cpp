#include <iostream>

#include "interrupt.h"
#include "ostravel.h"

int main() {
  std::ios::sync_with_stdio(false);
  scds::Start_Console_Program();
  return scds::ostravel::Run_Ostravel(std::cin, std::cout, ".");
}
