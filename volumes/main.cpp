#include <iostream>

#include "interrupt.h"
#include "brindleck.h"

int main() {
  std::ios::sync_with_stdio(false);
  scds::Start_Console_Program();
  return scds::brindleck::Run_Brindleck(std::cin, std::cout, ".");
}
