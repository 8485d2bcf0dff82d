#include "LinkNetwork.h"

#include "CameraLinkMembers.h"
#include "PoCameraLink.h"

#include <Inventor/nodes/SoCamera.h>

#include <algorithm>

namespace {

LinkNetwork g_network;

// Lets the network carry again however a wave ends.
class WaveGuard {
public:
  explicit WaveGuard(bool &carrying) : m_carrying(carrying) { m_carrying = true; }
  ~WaveGuard() { m_carrying = false; }
  WaveGuard(const WaveGuard &) = delete;
  WaveGuard &operator=(const WaveGuard &) = delete;

private:
  bool &m_carrying;
};

} // namespace

LinkNetwork &LinkNetwork::instance() { return g_network; }

void LinkNetwork::join(CameraLinkMembers *link) { m_links.push_back(link); }

void LinkNetwork::leave(CameraLinkMembers *link) {
  m_links.erase(std::remove(m_links.begin(), m_links.end(), link), m_links.end());
}

void LinkNetwork::watch(SoCamera *camera) {
  Watched &watched = m_cameras[camera];
  if (watched.watchers++ == 0) watched.state = CameraState::of(*camera);
}

void LinkNetwork::unwatch(SoCamera *camera) {
  auto found = m_cameras.find(camera);
  if (found != m_cameras.end() && --found->second.watchers == 0) m_cameras.erase(found);
}

unsigned LinkNetwork::takenIn(Watched &watched) const {
  if (watched.wave != m_wave) {
    watched.wave = m_wave;
    watched.taken = 0;
  }
  return watched.taken;
}

void LinkNetwork::carryFrom(SoCamera *camera) {
  if (m_carrying) return;
  auto found = m_cameras.find(camera);
  if (found == m_cameras.end()) return;
  Watched &source = found->second;
  const CameraChange change{source.state, CameraState::of(*camera)};
  source.state = change.after;
  const unsigned kinds = changedKinds(change);
  if (kinds == 0) return;

  WaveGuard guard(m_carrying);
  ++m_wave;
  takenIn(source);
  source.taken = PoCameraLink::ALL;
  m_queue.clear();
  m_queue.push_back({camera, change, kinds});
  // The queue grows while it is read: entries are taken by value.
  for (std::size_t i = 0; i < m_queue.size(); ++i) spread(Pending(m_queue[i]));
}

void LinkNetwork::spread(const Pending &pending) {
  for (CameraLinkMembers *link : m_links) {
    const unsigned kinds = pending.kinds & link->kinds();
    if (kinds == 0) continue;
    const CameraLinkMembers::Member *from = link->memberWith(pending.camera);
    if (!from) continue;
    const float sourcePixels = scalePixels(*from->view, *pending.camera, link->window);
    for (const auto &member : link->members()) {
      SoCamera *target = member->camera;
      if (!target || target == pending.camera) continue;
      auto found = m_cameras.find(target);
      if (found == m_cameras.end()) continue;
      Watched &watched = found->second;
      const unsigned take = kinds & ~takenIn(watched);
      if (take == 0) continue;
      watched.taken |= take;
      const CameraState before = CameraState::of(*target);
      const float targetPixels = scalePixels(*member->view, *target, link->window);
      CameraState::write(*target, before,
                         carried(pending.change, sourcePixels, before, targetPixels, take));
      // As the camera holds it: a connected field keeps its own value.
      watched.state = CameraState::of(*target);
      m_queue.push_back({target, {before, watched.state}, take});
    }
  }
}
