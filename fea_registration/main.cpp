#include <iostream>

#include "interrupt.h"
#include "flanmere.h"

int main() {
  std::ios::sync_with_stdio(false);
  scds::Start_Console_Program();
  return scds::flanmere::Run_Flanmere(std::cin, std::cout, ".");
}
