#include "CameraLinkMembers.h"

#include "PoBaseView.h"
#include "PoCameraLink.h"

#include <Inventor/fields/SoMFNode.h>
#include <Inventor/fields/SoSFNode.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/sensors/SoFieldSensor.h>

#include <algorithm>

namespace {

SoSFNode *partField(SoFieldContainer *container, const char *name) {
  SoField *field = container ? container->getField(name) : nullptr;
  return field && field->isOfType(SoSFNode::getClassTypeId()) ? static_cast<SoSFNode *>(field)
                                                              : nullptr;
}

// Holds `to` in place of `held`.
template <class Node> void hold(Node *&held, Node *to) {
  if (to) to->ref();
  if (held) held->unref();
  held = to;
}

} // namespace

CameraLinkMembers::CameraLinkMembers(PoCameraLink &link) : window(1, 1), m_link(link) {
  LinkNetwork::instance().join(this);
}

CameraLinkMembers::~CameraLinkMembers() {
  LinkNetwork::instance().leave(this);
  for (const auto &member : m_members) leave(*member);
}

unsigned CameraLinkMembers::kinds() const { return m_link.link.getValue(); }

void CameraLinkMembers::quiet() {
  if (m_quiet) return;
  m_quiet = true;
  m_wasNotifying = m_link.views.enableNotify(FALSE);
  for (const auto &member : m_members)
    if (member->sensor) member->sensor->detach();
}

void CameraLinkMembers::wake() {
  if (!m_quiet) return;
  m_quiet = false;
  m_link.views.enableNotify(m_wasNotifying);
  for (const auto &member : m_members) {
    if (!member->sensor) continue;
    member->sensor->attach(member->kitField);
    // A camera the wave put in a view's place is followed, as any other.
    update(*member);
  }
  follow(m_link.views);
}

const CameraLinkMembers::Member *CameraLinkMembers::memberWith(const SoCamera *camera) const {
  for (const auto &member : m_members)
    if (member->camera == camera) return member.get();
  return nullptr;
}

void CameraLinkMembers::follow(const SoMFNode &views) {
  // Every change inside a linked view reaches `views` too; most leave the
  // list as it was.
  const int count = views.getNum();
  if (std::size_t(count) == m_listed.size() &&
      std::equal(m_listed.begin(), m_listed.end(), views.getValues(0)))
    return;
  m_listed.assign(views.getValues(0), views.getValues(0) + count);

  std::vector<PoBaseView *> wanted;
  for (const SoNode *node : m_listed) {
    if (!node || !node->isOfType(PoBaseView::getClassTypeId())) continue;
    PoBaseView *view = static_cast<PoBaseView *>(const_cast<SoNode *>(node));
    if (std::find(wanted.begin(), wanted.end(), view) == wanted.end()) wanted.push_back(view);
  }
  std::vector<std::unique_ptr<Member>> next;
  for (PoBaseView *view : wanted) {
    auto kept = std::find_if(m_members.begin(), m_members.end(),
                             [view](const std::unique_ptr<Member> &m) { return m && m->view == view; });
    next.push_back(kept != m_members.end() ? std::move(*kept) : join(this, view));
  }
  for (const auto &gone : m_members)
    if (gone) leave(*gone);
  m_members = std::move(next);
}

std::unique_ptr<CameraLinkMembers::Member> CameraLinkMembers::join(CameraLinkMembers *owner,
                                                                   PoBaseView *view) {
  std::unique_ptr<Member> member(new Member);
  member->owner = owner;
  hold(member->view, view);
  member->kitField = partField(view, "cameraKit");
  if (member->kitField) {
    member->sensor = new SoFieldSensor(&CameraLinkMembers::cameraKitChangedCB, member.get());
    // Carried inside the change, before the call that made it returns and
    // before any viewer draws the next frame.
    member->sensor->setPriority(0);
    member->sensor->attach(member->kitField);
  }
  update(*member);
  return member;
}

void CameraLinkMembers::leave(Member &member) {
  delete member.sensor;
  member.sensor = nullptr;
  member.kitField = nullptr;
  update(member);
  hold(member.view, static_cast<PoBaseView *>(nullptr));
}

bool CameraLinkMembers::update(Member &member) {
  SoNode *kit = member.kitField ? member.kitField->getValue() : nullptr;
  if (kit != member.kit) {
    hold(member.kit, kit);
    member.cameraField =
        kit && kit->isOfType(SoBaseKit::getClassTypeId()) ? partField(kit, "camera") : nullptr;
  }
  SoNode *node = member.cameraField ? member.cameraField->getValue() : nullptr;
  if (node == member.camera) return false;
  SoCamera *camera =
      node && node->isOfType(SoCamera::getClassTypeId()) ? static_cast<SoCamera *>(node) : nullptr;
  if (camera == member.camera) return false;
  LinkNetwork &network = LinkNetwork::instance();
  if (member.camera) network.unwatch(member.camera);
  hold(member.camera, camera);
  member.watched = camera ? network.watch(camera) : nullptr;
  return true;
}

void CameraLinkMembers::cameraKitChangedCB(void *data, SoSensor *) {
  Member &member = *static_cast<Member *>(data);
  LinkNetwork &network = LinkNetwork::instance();
  if (network.isCarrying()) return;
  if (!update(member) && member.watched) network.carryFrom(*member.watched);
}
