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

LinkNetwork::Watched *LinkNetwork::watch(SoCamera *camera) {
  Watched &watched = m_cameras[camera];
  if (watched.watchers++ == 0) {
    watched.camera = camera;
    watched.kind = CameraState::kindOf(*camera);
    watched.state = CameraState::of(*camera, watched.kind);
  }
  return &watched;
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

void LinkNetwork::carryFrom(Watched &source) {
  if (m_carrying) return;
  const CameraChange change{source.state, CameraState::of(*source.camera, source.kind)};
  source.state = change.after;
  const unsigned kinds = changedKinds(change);
  if (kinds == 0) return;

  WaveGuard guard(m_carrying);
  for (CameraLinkMembers *link : m_links) link->quiet();
  ++m_wave;
  takenIn(source);
  source.taken = PoCameraLink::ALL;
  m_queue.clear();
  m_queue.push_back({&source, change, kinds, nullptr});
  // The queue grows while it is read: entries are taken by value.
  for (std::size_t i = 0; i < m_queue.size(); ++i) spread(Pending(m_queue[i]));
  // Links made or destroyed during the wave are as they should be: the one
  // never quieted, the other gone from the list.
  for (std::size_t i = 0; i < m_links.size(); ++i) m_links[i]->wake();
}

void LinkNetwork::spread(const Pending &pending) {
  SoCamera *source = pending.camera->camera;
  for (const CameraLinkMembers *link : m_links) {
    // The link a change came by has given its cameras all of it already.
    if (link == pending.through) continue;
    const unsigned kinds = pending.kinds & link->kinds();
    if (kinds == 0) continue;
    const CameraLinkMembers::Member *from = link->memberWith(source);
    if (!from) continue;
    const CarriedChange change =
        carriedChange(pending.change, scalePixels(*from->view, *source, link->window));
    for (const auto &member : link->members()) {
      Watched *target = member->watched;
      if (!target || target == pending.camera) continue;
      const unsigned take = kinds & ~takenIn(*target);
      if (take == 0) continue;
      target->taken |= take;
      SoCamera &camera = *target->camera;
      const CameraState before = CameraState::of(camera, target->kind);
      const float targetPixels = scalePixels(*member->view, camera, link->window);
      CameraState::write(camera, before, carried(change, before, targetPixels, take));
      // As the camera holds it: a connected field keeps its own value.
      target->state = CameraState::of(camera, target->kind);
      m_queue.push_back({target, {before, target->state}, take, link});
    }
  }
}
