#include <iostream>

#include "brindleck.h"

int main() {
  std::ios::sync_with_stdio(false);
  return scds::brindleck::Run_Brindleck(std::cin, std::cout, ".");
}
