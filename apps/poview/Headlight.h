#ifndef POVIEW_HEADLIGHT_H
#define POVIEW_HEADLIGHT_H

class SoNode;
class SoSeparator;

// A scene lit as an SoQt viewer lights it: under a directional light placed
// ahead of any camera, so that it shines from the eye of whichever camera
// draws, in every view. Without the headlight it is the scene as it is.
class LitScene {
public:
  LitScene(SoNode *scene, bool headlight);
  ~LitScene();
  LitScene(const LitScene &) = delete;
  LitScene &operator=(const LitScene &) = delete;

  SoNode *root() const { return m_root; }

private:
  SoNode *m_root;
};

#endif
