#include "CameraLinkMembers.h"

#include "LinkNetwork.h"
#include "PoBaseView.h"
#include "PoCameraLink.h"

#include <Inventor/fields/SoMFNode.h>
#include <Inventor/fields/SoSFNode.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/sensors/SoFieldSensor.h>

#include <algorithm>

namespace {

// The view's camera as it stands, making nothing: a view without a camera
// kit, or a kit without a camera, has none.
SoCamera *currentCamera(PoBaseView *view) {
  if (!view->getField("cameraKit")) return nullptr;
  SoNode *node = view->getPart("cameraKit.camera", FALSE);
  return node && node->isOfType(SoCamera::getClassTypeId()) ? static_cast<SoCamera *>(node)
                                                            : nullptr;
}

} // namespace

CameraLinkMembers::CameraLinkMembers(const PoCameraLink &link) : window(1, 1), m_link(link) {
  LinkNetwork::instance().join(this);
}

CameraLinkMembers::~CameraLinkMembers() {
  LinkNetwork::instance().leave(this);
  for (const auto &member : m_members) leave(*member);
}

unsigned CameraLinkMembers::kinds() const { return m_link.link.getValue(); }

const CameraLinkMembers::Member *CameraLinkMembers::memberWith(const SoCamera *camera) const {
  for (const auto &member : m_members)
    if (member->camera == camera) return member.get();
  return nullptr;
}

void CameraLinkMembers::follow(const SoMFNode &views) {
  std::vector<PoBaseView *> wanted;
  for (int i = 0; i < views.getNum(); ++i) {
    SoNode *node = views[i];
    if (!node || !node->isOfType(PoBaseView::getClassTypeId())) continue;
    PoBaseView *view = static_cast<PoBaseView *>(node);
    if (std::find(wanted.begin(), wanted.end(), view) == wanted.end()) wanted.push_back(view);
  }
  // Changes inside the views reach this too; most leave the list as it is.
  if (wanted.size() == m_members.size() &&
      std::equal(wanted.begin(), wanted.end(), m_members.begin(),
                 [](PoBaseView *view, const std::unique_ptr<Member> &member) {
                   return member->view == view;
                 }))
    return;

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
  std::unique_ptr<Member> member(new Member{owner, view, nullptr, nullptr});
  view->ref();
  SoField *kitField = view->getField("cameraKit");
  if (kitField && kitField->isOfType(SoSFNode::getClassTypeId())) {
    member->sensor = new SoFieldSensor(&CameraLinkMembers::cameraKitChangedCB, member.get());
    // Carried inside the change, before the call that made it returns and
    // before any viewer draws the next frame.
    member->sensor->setPriority(0);
    member->sensor->attach(kitField);
  }
  takeCamera(*member, currentCamera(view));
  return member;
}

void CameraLinkMembers::leave(Member &member) {
  delete member.sensor;
  member.sensor = nullptr;
  takeCamera(member, nullptr);
  member.view->unref();
  member.view = nullptr;
}

void CameraLinkMembers::takeCamera(Member &member, SoCamera *camera) {
  if (camera == member.camera) return;
  LinkNetwork &network = LinkNetwork::instance();
  if (camera) {
    camera->ref();
    network.watch(camera);
  }
  if (member.camera) {
    network.unwatch(member.camera);
    member.camera->unref();
  }
  member.camera = camera;
}

void CameraLinkMembers::cameraKitChangedCB(void *data, SoSensor *) {
  Member &member = *static_cast<Member *>(data);
  LinkNetwork &network = LinkNetwork::instance();
  if (network.isCarrying()) return;
  SoCamera *camera = currentCamera(member.view);
  if (camera != member.camera)
    takeCamera(member, camera);
  else if (camera)
    network.carryFrom(camera);
}
