// Reading a view's fields and parts from a text file.
//
// Coin's kit reader takes every name it does not know for a part name and
// reads its value as a node: a misspelt field ("zoomFactor 2") then fails
// as an invalid node, without naming the field; a file that ends inside the
// kit fails without a word, and a node of the wrong type for a part is
// dropped silently (or, for a part that holds other parts, taken for a group
// and crashes the reader). Views read their text themselves, the way Coin does,
// and say what is wrong and where.

#include "PoBaseView.h"

#include <Inventor/SoInput.h>
#include <Inventor/errors/SoReadError.h>
#include <Inventor/fields/SoFieldData.h>
#include <Inventor/lists/SoNodeList.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>
#include <Inventor/nodes/SoGroup.h>

#include <vector>

namespace {

const char *typeName(const SoBase *base) { return base->getTypeId().getName().getString(); }

// Whether the next word starts a node (a node type, DEF or USE). The word is
// put back for the node reader.
bool nextIsNode(SoInput *in) {
  SbName word;
  if (!in->read(word, TRUE)) return false;
  in->putBack(word.getString());
  if (word == "DEF" || word == "USE") return true;
  const SoType type = SoType::fromName(word);
  return !type.isBad() && type.isDerivedFrom(SoNode::getClassTypeId());
}

// Reads the node given for a part. Coin checks a node's type itself only
// once it is built, and without naming the part; the check is made here.
bool readPartNode(SoInput *in, const PoBaseView *kit, const SbName &name, SoType expected,
                  SoNodeList &into, int at) {
  SoBase *base = nullptr;
  if (!SoBase::read(in, base, SoNode::getClassTypeId())) {
    // Coin has said what went wrong inside the node, except that a file
    // ending inside a node kit ends its read without a word.
    if (in->eof())
      SoReadError::post(in, "Premature end of file in part \"%s\" of \"%s\"", name.getString(),
                        typeName(kit));
    return false;
  }
  if (!base) {
    SoReadError::post(in, "Part \"%s\" of \"%s\" needs a node", name.getString(), typeName(kit));
    return false;
  }
  if (!base->getTypeId().isDerivedFrom(expected)) {
    SoReadError::post(in, "Part \"%s\" of \"%s\" must be of type %s, not %s", name.getString(),
                      typeName(kit), expected.getName().getString(), typeName(base));
    // A node made for this value goes; one taken by USE stays its owner's.
    base->ref();
    base->unref();
    return false;
  }
  into.set(at, static_cast<SoNode *>(base));
  return true;
}

} // namespace

// What the text gives: a node for each part of this kit's catalog (or null),
// and the names that Coin resolves in sub-kits ("camera", "cameraKit.camera")
// with their nodes, set once the kit's own parts are in place.
struct PoBaseView::PartsRead {
  SoNodeList direct;
  std::vector<SbName> pathNames;
  SoNodeList pathNodes;
};

SbBool PoBaseView::readFieldsAndParts(SoInput *in, PartsRead &read) {
  const SoFieldData *fields = getFieldData();
  const SoNodekitCatalog *catalog = getNodekitCatalog();
  for (bool first = true;; first = false) {
    char c;
    if (!in->read(c)) {
      SoReadError::post(in, "Premature end of file inside \"%s\": its closing '}' is missing",
                        typeName(this));
      return FALSE;
    }
    in->putBack(c);
    if (c == '}') return TRUE;
    // Names may hold dots and brackets ("cameraKit.camera").
    SbName name;
    if (!in->read(name, FALSE)) return TRUE; // the node reader reports the stray character
    // An extension kit's text may start by declaring its fields.
    if (first && name == "fields") {
      if (!fields->readFieldDescriptions(in, this, 0, FALSE)) return FALSE;
      continue;
    }
    const int part = catalog->getPartNumber(name);
    if (part > 0) {
      if (!readPartNode(in, this, name, catalog->getType(part), read.direct, part)) return FALSE;
      continue;
    }
    SbBool found = FALSE;
    if (!fields->read(in, this, name, found)) return FALSE;
    if (found) continue;
    if (!nextIsNode(in)) {
      SoReadError::post(in, "Unknown field \"%s\" in \"%s\"", name.getString(), typeName(this));
      return FALSE;
    }
    read.pathNames.push_back(name);
    read.pathNodes.append(nullptr);
    if (!readPartNode(in, this, name, SoNode::getClassTypeId(), read.pathNodes,
                      read.pathNodes.getLength() - 1))
      return FALSE;
  }
}

// Coin's kit read, step by step: the parts are taken out, the text is read,
// and the parts (read or kept) are set back in catalog order, so that the
// kit's children come in catalog order whatever order the text had.
SbBool PoBaseView::readKitBody(SoInput *in, unsigned short flags) {
  if (in->isBinary()) return SoBaseKit::readInstance(in, flags);
  const SbBool notified = enableNotify(FALSE);
  const SbBool connected = setUpConnections(FALSE);

  const SoNodekitCatalog *catalog = getNodekitCatalog();
  const SbList<SoSFNode *> &instances = getCatalogInstances();
  const int count = instances.getLength();
  // Index 0 stands for the kit itself, as in the catalog.
  SoNodeList parts;
  std::vector<SbBool> wasDefault(static_cast<std::size_t>(count), FALSE);
  PartsRead read;
  parts.append(nullptr);
  read.direct.append(nullptr);
  for (int i = 1; i < count; ++i) {
    parts.append(instances[i]->getValue());
    read.direct.append(nullptr);
    wasDefault[i] = instances[i]->isDefault();
    instances[i]->setValue(nullptr);
    instances[i]->setDefault(TRUE);
  }
  getChildren()->truncate(0);

  SbBool result = readFieldsAndParts(in, read);
  // After a failure Coin throws the kit away; its parts stay out.
  if (result) {
    for (int i = 1; i < count; ++i) {
      if (!read.direct[i]) continue;
      parts.set(i, read.direct[i]);
      wasDefault[i] = FALSE;
    }
    for (int i = 1; i < count; ++i) {
      // A part that holds parts gets them back as they are set below.
      if (!catalog->isLeaf(i) && parts[i] && parts[i]->isOfType(SoGroup::getClassTypeId()))
        static_cast<SoGroup *>(parts[i])->removeAllChildren();
      if (!setPart(i, parts[i]) && read.direct[i]) {
        SoReadError::post(in, "Part \"%s\" of \"%s\" cannot take this %s",
                          catalog->getName(i).getString(), typeName(this),
                          typeName(read.direct[i]));
        result = FALSE;
      }
      instances[i]->setDefault(wasDefault[i]);
    }
    for (std::size_t i = 0; result && i < read.pathNames.size(); ++i) {
      SoNode *node = read.pathNodes[static_cast<int>(i)];
      if (setAnyPart(read.pathNames[i], node)) continue;
      SoReadError::post(in, "No part \"%s\" in \"%s\" takes a %s",
                        read.pathNames[i].getString(), typeName(this), typeName(node));
      result = FALSE;
    }
  }

  setUpConnections(connected);
  enableNotify(notified);
  return result;
}
