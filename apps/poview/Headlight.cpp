#include "Headlight.h"

#include <Inventor/nodes/SoDirectionalLight.h>
#include <Inventor/nodes/SoSeparator.h>

LitScene::LitScene(SoNode *scene, bool headlight) : m_root(scene) {
  if (headlight) {
    SoSeparator *lit = new SoSeparator;
    SoDirectionalLight *light = new SoDirectionalLight;
    // Where SoQt's viewers aim theirs: a little from the upper left.
    light->direction.setValue(1.0f, -1.0f, -10.0f);
    lit->addChild(light);
    lit->addChild(scene);
    m_root = lit;
  }
  m_root->ref();
}

LitScene::~LitScene() { m_root->unref(); }
