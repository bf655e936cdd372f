#include <iostream>

#include "interrupt.h"
#include "saxmorrow.h"

int main() {
  std::ios::sync_with_stdio(false);
  scds::Start_Console_Program();
  return scds::saxmorrow::Run_Saxmorrow(std::cin, std::cout, ".");
}
