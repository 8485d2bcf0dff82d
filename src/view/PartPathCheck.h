#ifndef BRENNICQT_PARTPATHCHECK_H
#define BRENNICQT_PARTPATHCHECK_H

class SoBaseKit;

// Coin's kits take a part name such as "cameraKit.camera" or "childList[2].shape"
// apart and follow it without asking whether an indexed part is a list or a
// part before a dot is a node kit: they take the node for one and read past
// its end. A file that names "camera[0]" or "camera.x" in a kit crashes the
// reader that way. The check below resolves a name the way Coin does and
// tells whether Coin can follow it safely.
namespace PartPath {

// Whether every index in the name lands on a list part and every dot follows
// a node-kit part (or list element), wherever Coin would look for the name
// in the kit and in its sub-kits. Names without '.' or '[' are always sound.
bool isSound(const SoBaseKit *kit, const char *name);

// isSound, and not "this": Coin sets a node of the kit's own type as the kit's
// top part and crashes on it; no kit can replace itself.
bool isSoundToSet(const SoBaseKit *kit, const char *name);

} // namespace PartPath

#endif
