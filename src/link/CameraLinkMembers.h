#ifndef BRENNICQT_CAMERALINKMEMBERS_H
#define BRENNICQT_CAMERALINKMEMBERS_H

#include "LinkNetwork.h"

#include <Inventor/SbVec2s.h>

#include <memory>
#include <vector>

class PoBaseView;
class PoCameraLink;
class SoCamera;
class SoFieldSensor;
class SoMFNode;
class SoNode;
class SoSFNode;
class SoSensor;

// The views one PoCameraLink links, each with the camera it has now. A
// sensor on each view's camera kit part hears of every change under it: the
// kit replaced, its camera replaced, or a field of the camera set. A new
// camera is followed; a change of the same camera goes to the LinkNetwork.
class CameraLinkMembers {
public:
  struct Member {
    CameraLinkMembers *owner = nullptr;
    // Referenced, so that no other node takes their addresses while they
    // are known here.
    PoBaseView *view = nullptr;
    SoNode *kit = nullptr;      // the camera kit the view holds
    SoCamera *camera = nullptr; // null while the view has none
    SoSFNode *kitField = nullptr;       // the view's "cameraKit" part field
    SoSFNode *cameraField = nullptr;    // the kit's "camera" part field
    LinkNetwork::Watched *watched = nullptr; // what the network knows of `camera`
    SoFieldSensor *sensor = nullptr;
  };

  explicit CameraLinkMembers(PoCameraLink &link);
  ~CameraLinkMembers();
  CameraLinkMembers(const CameraLinkMembers &) = delete;
  CameraLinkMembers &operator=(const CameraLinkMembers &) = delete;

  // Takes the views of `views` that are views, each once, in order. Views
  // already linked keep what the link knows of their cameras; new ones join
  // with their cameras as they are. Changes no camera.
  void follow(const SoMFNode &views);

  const std::vector<std::unique_ptr<Member>> &members() const { return m_members; }
  // The member whose camera this is, or null.
  const Member *memberWith(const SoCamera *camera) const;
  // What the link carries: its `link` field.
  unsigned kinds() const;

  // While a wave is carried, every camera it sets would tell the link's
  // list and its view's sensor of the change, at the cost of a notification
  // and an immediate sensor each; the link has nothing to do with them.
  // Quiet holds the list's notification back and takes the sensors off;
  // wake puts them back and follows the list and the views' cameras, should
  // the wave have changed them.
  void quiet();
  void wake();

  // The window views are compared in (see PoCameraLink).
  SbVec2s window;

private:
  static void cameraKitChangedCB(void *member, SoSensor *sensor);
  static std::unique_ptr<Member> join(CameraLinkMembers *owner, PoBaseView *view);
  static void leave(Member &member);
  // Follows the view's camera kit and camera to what the view holds now;
  // answers whether the camera is another.
  static bool update(Member &member);

  PoCameraLink &m_link;
  bool m_quiet = false;
  SbBool m_wasNotifying = TRUE;
  std::vector<std::unique_ptr<Member>> m_members;
  std::vector<const SoNode *> m_listed; // `views` as last followed
};

#endif
