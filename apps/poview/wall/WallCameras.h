#ifndef POVIEW_WALLCAMERAS_H
#define POVIEW_WALLCAMERAS_H

#include <string>
#include <vector>

class SoCamera;
class SoNode;

// The cameras of a scene, in the same order in every process that reads the
// same file, and the changes of their fields as text that the other
// processes apply: how rank 0's camera moves reach the wall.
class WallCameras {
public:
  explicit WallCameras(SoNode *root);

  // One line "INDEX FIELDS" for each camera whose fields changed since the
  // last call, or "" when none did.
  std::string changes();
  // Applies what changes() gave in another process.
  void apply(const std::string &changes);

private:
  std::vector<SoCamera *> m_cameras;
  std::vector<std::string> m_sent;
};

// A camera script for rank 0: one frame a line, "NAME FIELDS", NAME the DEF
// name of a view (for its camera) or of a camera, FIELDS camera fields as in
// a scene file, e.g. "TopLeft position 0 0 9". Empty lines and lines
// starting with '#' are skipped.
class CameraScript {
public:
  // Reads the file; throws a user error naming it when it cannot be read or
  // a line cannot be applied to the scene.
  explicit CameraScript(const std::string &path);
  bool finished() const { return m_next >= m_frames.size(); }
  // Applies the next frame's line. Throws a user error naming the line.
  void applyNext();

private:
  struct Frame {
    int line;
    std::string name;
    std::string fields;
  };
  std::string m_path;
  std::vector<Frame> m_frames;
  std::size_t m_next = 0;
};

#endif
