#include <iostream>

#include "biomechanics_driver.h"

int main() {
  std::ios::sync_with_stdio(false);
  return scds::Run_Ostravel(std::cin, std::cout, ".");
}
