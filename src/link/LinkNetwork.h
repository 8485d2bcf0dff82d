#ifndef BRENNICQT_LINKNETWORK_H
#define BRENNICQT_LINKNETWORK_H

#include "LinkCarry.h"

#include <unordered_map>
#include <vector>

class CameraLinkMembers;
class SoCamera;

// Every live camera link and what they know of the cameras they watch. A
// camera's change spreads from it like a wave: through each link that holds
// it to that link's other cameras, and from each camera changed on through
// its other links. Within one wave a camera takes each kind of change once
// and the camera that started it takes none, so links in a cycle, views
// linked twice and cameras shared by views end the wave.
//
// Lives on the thread that owns the scene graphs, as Coin's sensors do.
class LinkNetwork {
public:
  // What the network knows of one camera. Its address stays as long as the
  // camera is watched.
  struct Watched {
    SoCamera *camera = nullptr;
    CameraState::Kind kind = CameraState::Kind::Other;
    CameraState state;
    int watchers = 0;
    unsigned wave = 0;  // the wave `taken` belongs to
    unsigned taken = 0; // kinds taken in that wave
  };

  static LinkNetwork &instance();

  void join(CameraLinkMembers *link);
  void leave(CameraLinkMembers *link);

  // Counted: a camera watched by two links, or by two views of one, is
  // known once. A camera first watched is known as it is now.
  Watched *watch(SoCamera *camera);
  void unwatch(SoCamera *camera);

  // A watched camera was told of a change. What changed since the network
  // last knew it is carried; nothing is while a wave is under way.
  void carryFrom(Watched &camera);
  bool isCarrying() const { return m_carrying; }

private:
  struct Pending {
    Watched *camera;
    CameraChange change;
    unsigned kinds;
    const CameraLinkMembers *through; // the link it came by; null for the first
  };

  unsigned takenIn(Watched &watched) const;
  void spread(const Pending &pending);

  std::vector<CameraLinkMembers *> m_links;
  std::unordered_map<SoCamera *, Watched> m_cameras;
  std::vector<Pending> m_queue;
  unsigned m_wave = 0;
  bool m_carrying = false;
};

#endif
