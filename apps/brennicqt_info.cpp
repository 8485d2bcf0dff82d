// Prints what the module registers with Coin, and the module record.
#include "PoBaseView.h"
#include "SoModule.h"

#include <Inventor/nodekits/SoNodeKit.h>
#include <Inventor/SoType.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>

#include <cstdio>
#include <initializer_list>

int main() {
  SoNodeKit::init(); // Coin, its node kits and their types
  PoBaseView::initClasses();
  for (std::size_t i = 0; i < SoModule::getNumModules(); ++i) {
    const SoModule *module = SoModule::getModule(i);
    std::printf("module %s %s (%s)\n", module->getFileName(), module->getVersion(),
                module->getBuildDescription());
  }
  for (const char *name : {"PoBaseView", "PoView", "PoSceneView", "PoToVRML2Action"}) {
    SoType type = SoType::fromName(name);
    if (type.isBad()) continue;
    std::printf("type %s, parent %s%s\n", name, type.getParent().getName().getString(),
                type.canCreateInstance() ? "" : ", abstract");
  }
  PoBaseView::exitClasses();
  return 0;
}
