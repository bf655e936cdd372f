#include <iostream>

#include "quintarel.h"

int main() {
  std::ios::sync_with_stdio(false);
  return scds::quintarel::Run_Quintarel(std::cin, std::cout, ".");
}
