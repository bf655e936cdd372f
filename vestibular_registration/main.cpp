#include <iostream>

#include "saxmorrow.h"

int main() {
  std::ios::sync_with_stdio(false);
  return scds::saxmorrow::Run_Saxmorrow(std::cin, std::cout, ".");
}
