#include <iostream>

#include "ostravel.h"

int main() {
  std::ios::sync_with_stdio(false);
  return scds::ostravel::Run_Ostravel(std::cin, std::cout, ".");
}
