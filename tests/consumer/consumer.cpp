#include <PoBaseView.h>

#include <Inventor/nodekits/SoNodeKit.h>

#include <cstdio>

int main() {
  SoNodeKit::init(); // Coin, its node kits and their types
  PoBaseView::initClasses();
  const bool registered = !PoBaseView::getClassTypeId().isBad();
  PoBaseView::exitClasses();
  std::printf("consumer: PoBaseView %s\n", registered ? "registered" : "missing");
  return registered ? 0 : 1;
}
