#ifndef BRENNICQT_CAMERALINKMEMBERS_H
#define BRENNICQT_CAMERALINKMEMBERS_H

#include <Inventor/SbVec2s.h>

#include <memory>
#include <vector>

class PoBaseView;
class PoCameraLink;
class SoCamera;
class SoFieldSensor;
class SoMFNode;
class SoSensor;

// The views one PoCameraLink links, each with the camera it has now. A
// sensor on each view's camera kit part hears of every change under it: the
// kit replaced, its camera replaced, or a field of the camera set. A new
// camera is followed; a change of the same camera goes to the LinkNetwork.
class CameraLinkMembers {
public:
  struct Member {
    CameraLinkMembers *owner;
    PoBaseView *view;     // referenced, so that no other view takes its address
    SoCamera *camera;     // referenced; null while the view has none
    SoFieldSensor *sensor;
  };

  explicit CameraLinkMembers(const PoCameraLink &link);
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

  // The window views are compared in (see PoCameraLink).
  SbVec2s window;

private:
  static void cameraKitChangedCB(void *member, SoSensor *sensor);
  static std::unique_ptr<Member> join(CameraLinkMembers *owner, PoBaseView *view);
  static void leave(Member &member);
  static void takeCamera(Member &member, SoCamera *camera);

  const PoCameraLink &m_link;
  std::vector<std::unique_ptr<Member>> m_members;
};

#endif
