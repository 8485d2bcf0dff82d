#include "WallCameras.h"

#include "PoBaseView.h"
#include "ToolError.h"

#include <Inventor/SbString.h>
#include <Inventor/SoPath.h>
#include <Inventor/misc/SoTempPath.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoCamera.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string fieldsOf(SoCamera *camera) {
  SbString text;
  camera->get(text);
  return text.getString();
}

// The camera a script line names: a camera, or the camera of a view.
SoCamera *namedCamera(const std::string &name) {
  SoNode *node = SoNode::getByName(name.c_str());
  if (node && node->isOfType(PoBaseView::getClassTypeId()))
    node = static_cast<PoBaseView *>(node)->getPart("cameraKit.camera", FALSE);
  return node && node->isOfType(SoCamera::getClassTypeId()) ? static_cast<SoCamera *>(node)
                                                            : nullptr;
}

} // namespace

WallCameras::WallCameras(SoNode *root) {
  // Cameras inside node kits (the views' own) are found too.
  const SbBool wasSearchingChildren = SoBaseKit::isSearchingChildren();
  SoBaseKit::setSearchingChildren(TRUE);
  SoSearchAction search;
  search.setType(SoCamera::getClassTypeId());
  search.setInterest(SoSearchAction::ALL);
  search.setSearchingAll(TRUE);
  search.apply(root);
  SoBaseKit::setSearchingChildren(wasSearchingChildren);
  const SoPathList &paths = search.getPaths();
  for (int i = 0; i < paths.getLength(); ++i) {
    // A path into a kit names the kit as its tail; a full copy, the camera.
    SoTempPath full(paths[i]->getLength());
    static_cast<SoPath &>(full) = *paths[i];
    auto *camera = static_cast<SoCamera *>(full.getTail());
    m_cameras.push_back(camera);
    m_sent.push_back(fieldsOf(camera));
  }
}

std::string WallCameras::changes() {
  std::string lines;
  for (std::size_t i = 0; i < m_cameras.size(); ++i) {
    std::string fields = fieldsOf(m_cameras[i]);
    if (fields == m_sent[i]) continue;
    for (char &c : fields)
      if (c == '\n') c = ' ';
    lines += std::to_string(i) + " " + fields + "\n";
    m_sent[i] = fieldsOf(m_cameras[i]);
  }
  return lines;
}

void WallCameras::apply(const std::string &changes) {
  std::istringstream lines(changes);
  std::string line;
  while (std::getline(lines, line)) {
    char *rest = nullptr;
    const unsigned long index = std::strtoul(line.c_str(), &rest, 10);
    if (rest == line.c_str() || index >= m_cameras.size()) continue;
    m_cameras[index]->set(rest);
    m_sent[index] = fieldsOf(m_cameras[index]);
  }
}

CameraScript::CameraScript(const std::string &path) : m_path(path) {
  std::ifstream file(path);
  if (!file) throw userError(quoted(path) + ": cannot read the camera script");
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    std::istringstream words(line);
    std::string name;
    if (!(words >> name) || name[0] == '#') continue;
    std::string fields;
    std::getline(words, fields);
    if (!namedCamera(name))
      throw userError(quoted(path) + " line " + std::to_string(number) +
                      ": no view or camera named " + quoted(name) + " in the scene");
    m_frames.push_back({number, name, fields});
  }
}

void CameraScript::applyNext() {
  const Frame &frame = m_frames[m_next++];
  if (!namedCamera(frame.name)->set(frame.fields.c_str()))
    throw userError(quoted(m_path) + " line " + std::to_string(frame.line) +
                    ": not camera fields: " + quoted(frame.fields));
}
