#include <iostream>

#include "flanmere.h"

int main() {
  std::ios::sync_with_stdio(false);
  return scds::flanmere::Run_Flanmere(std::cin, std::cout, ".");
}
