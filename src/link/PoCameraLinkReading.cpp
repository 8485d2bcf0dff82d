// Reading a link from a file. Coin would read `views` as any node list and
// add whatever fields a file declares to the class's own field table; a link
// takes only views, says which entry is wrong and on what line, and takes
// declarations only of its own fields.

#include "PoCameraLink.h"

#include "CameraLinkMembers.h"
#include "PoBaseView.h"

#include <Inventor/SoInput.h>
#include <Inventor/errors/SoReadError.h>
#include <Inventor/fields/SoFieldData.h>

#include <string>
#include <vector>

namespace {

const char *typeName(const SoBase *base) { return base->getTypeId().getName().getString(); }

// After one entry of a list: true while more follow. Commas between entries
// may be left out, as Coin's own lists allow.
bool moreFollow(SoInput *in, bool &failed) {
  char c;
  if (!in->read(c)) {
    SoReadError::post(in, "Premature end of file inside a list of \"PoCameraLink\"");
    failed = true;
    return false;
  }
  if (c == ']') return false;
  if (c != ',') in->putBack(c);
  return true;
}

// The entries read so far, each referenced until the field holds it.
class ReadViews {
public:
  ReadViews() = default;
  ReadViews(const ReadViews &) = delete;
  ReadViews &operator=(const ReadViews &) = delete;
  ~ReadViews() {
    for (const SoNode *node : nodes)
      if (node) node->unref();
  }
  void append(SoNode *node) {
    if (node) node->ref();
    nodes.push_back(node);
  }
  int count() const { return static_cast<int>(nodes.size()); }
  std::vector<const SoNode *> nodes;
};

// The node a USE names. Coin writes a list of nodes as "USE name," but
// reads the comma as part of the name, so it cannot read its own lists back;
// a comma after a name ends it here.
bool readReference(SoInput *in, SoBase *&base) {
  SbName name;
  if (!in->read(name, FALSE)) {
    SoReadError::post(in, "Premature end of file after USE in \"views\" of \"PoCameraLink\"");
    return false;
  }
  std::string text = name.getString();
  std::size_t commas = 0;
  while (!text.empty() && text.back() == ',') {
    text.pop_back();
    ++commas;
  }
  while (commas-- > 0) in->putBack(',');
  base = in->findReference(SbName(text.c_str()));
  if (!base) SoReadError::post(in, "Unknown reference \"%s\"", text.c_str());
  return base != nullptr;
}

// One entry of `views`: a view, or NULL.
bool readView(SoInput *in, int index, ReadViews &into) {
  SoBase *base = nullptr;
  SbName word;
  if (!in->read(word, TRUE) || word.getLength() == 0) {
    SoReadError::post(in, in->eof() ? "Premature end of file in \"views\" of \"PoCameraLink\""
                                    : "Entry %d of \"views\" in \"PoCameraLink\" is no node",
                      index);
    return false;
  }
  if (word == "USE") {
    if (!readReference(in, base)) return false;
  } else if (word != "NULL") {
    in->putBack(word.getString());
    if (!SoBase::read(in, base, SoNode::getClassTypeId())) {
      if (in->eof())
        SoReadError::post(in, "Premature end of file in \"views\" of \"PoCameraLink\"");
      return false;
    }
  }
  if (base && !base->isOfType(PoBaseView::getClassTypeId())) {
    SoReadError::post(in, "Entry %d of \"views\" in \"PoCameraLink\" must be a view (PoView or "
                          "PoSceneView), not %s",
                      index, typeName(base));
    // A node made for this entry goes; one taken by USE stays its owner's.
    base->ref();
    base->unref();
    return false;
  }
  into.append(static_cast<SoNode *>(base));
  return true;
}

} // namespace

SbBool PoCameraLink::readInstance(SoInput *in, unsigned short flags) {
  SbBool read = FALSE;
  if (in->isBinary()) {
    read = SoNode::readInstance(in, flags);
    for (int i = 0; read && i < views.getNum(); ++i) {
      SoNode *node = views[i];
      if (node && !node->isOfType(PoBaseView::getClassTypeId())) {
        SoReadError::post(in, "Entry %d of \"views\" in \"PoCameraLink\" must be a view "
                              "(PoView or PoSceneView), not %s",
                          i, typeName(node));
        read = FALSE;
      }
    }
  } else {
    read = readFields(in);
  }
  m_members->follow(views);
  return read;
}

SbBool PoCameraLink::readFields(SoInput *in) {
  const SoFieldData *fields = getFieldData();
  for (bool first = true;; first = false) {
    char c;
    if (!in->read(c)) return TRUE; // Coin reports the missing '}'
    in->putBack(c);
    if (c == '}') return TRUE;
    SbName name;
    if (!in->read(name, TRUE)) return TRUE; // the node reader reports the stray character
    if (first && name == "fields") {
      if (!readDeclarations(in)) return FALSE;
    } else if (name == "views") {
      if (!readViews(in)) return FALSE;
    } else {
      SbBool found = FALSE;
      if (!fields->read(in, this, name, found)) return FALSE;
      if (!found) {
        SoReadError::post(in, "Unknown field \"%s\" in \"PoCameraLink\"", name.getString());
        return FALSE;
      }
    }
  }
}

// "fields [ SFBitMask link, MFNode views ]", as Coin writes it for a node
// class of an application's.
SbBool PoCameraLink::readDeclarations(SoInput *in) {
  char c;
  if (!in->read(c) || c != '[') {
    SoReadError::post(in, "\"fields\" of \"PoCameraLink\" must be a list in [ ]");
    return FALSE;
  }
  if (in->read(c) && c == ']') return TRUE;
  in->putBack(c);
  for (bool failed = false;;) {
    SbName type, name;
    if (!in->read(type, TRUE) || !in->read(name, TRUE)) {
      SoReadError::post(in, "A field declaration of \"PoCameraLink\" needs a type and a name");
      return FALSE;
    }
    const SoField *field = getField(name);
    if (!field || field->getTypeId() != SoType::fromName(type)) {
      SoReadError::post(in, "\"PoCameraLink\" has no field \"%s %s\"", type.getString(),
                        name.getString());
      return FALSE;
    }
    if (!moreFollow(in, failed)) return failed ? FALSE : TRUE;
  }
}

SbBool PoCameraLink::readViews(SoInput *in) {
  ReadViews read;
  char c;
  if (!in->read(c)) {
    SoReadError::post(in, "Premature end of file in \"views\" of \"PoCameraLink\"");
    return FALSE;
  }
  if (c != '[') {
    in->putBack(c);
    if (!readView(in, 0, read)) return FALSE;
  } else if (in->read(c) && c != ']') {
    in->putBack(c);
    for (bool failed = false;;) {
      if (!readView(in, read.count(), read)) return FALSE;
      if (!moreFollow(in, failed)) {
        if (failed) return FALSE;
        break;
      }
    }
  }
  // One change, so the link follows the whole list at once.
  views.setNum(read.count());
  if (read.count() > 0) views.setValues(0, read.count(), read.nodes.data());
  views.setDefault(FALSE);
  return TRUE;
}
