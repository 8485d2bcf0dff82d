#include "PartPathCheck.h"

#include "PoBaseView.h"

#include <Inventor/SbName.h>
#include <Inventor/fields/SoSFNode.h>
#include <Inventor/lists/SoTypeList.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodekits/SoNodeKitListPart.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>

#include <cctype>
#include <climits>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct Segment {
  std::string name;
  int index = -1; // -1: no index
};

// Coin resolves a name it does not find in a kit in the kit's sub-kits, and
// so on down; no kit nests this deep, so a name that needs more is refused.
const int kMaxDepth = 16;

// Splits "a.b[2].c" into segments; false unless every segment is a plain name
// with at most one "[digits]" at its end.
bool split(const char *name, std::vector<Segment> &segments) {
  const char *p = name;
  for (;;) {
    Segment segment;
    while (*p && *p != '.' && *p != '[' && *p != ']') segment.name += *p++;
    if (segment.name.empty()) return false;
    if (*p == '[') {
      ++p;
      if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
      long index = 0;
      while (std::isdigit(static_cast<unsigned char>(*p))) {
        index = index * 10 + (*p++ - '0');
        if (index > INT_MAX) return false;
      }
      if (*p++ != ']') return false;
      segment.index = static_cast<int>(index);
    }
    segments.push_back(segment);
    if (*p == '\0') return true;
    if (*p++ != '.') return false;
  }
}

bool isKitType(SoType type) {
  return !type.isBad() && type.isDerivedFrom(SoBaseKit::getClassTypeId());
}

// Where the next segment is looked up: a catalog and, when the kit exists,
// the kit whose parts are inspected. Parts that do not exist yet are judged
// by the catalog of the type Coin would make for them.
struct Scope {
  const SoNodekitCatalog *catalog = nullptr;
  const SoBaseKit *kit = nullptr;
};

Scope scopeOfKit(const SoNode *node) {
  Scope scope;
  if (!node || !node->isOfType(SoBaseKit::getClassTypeId())) return scope;
  scope.kit = static_cast<const SoBaseKit *>(node);
  scope.catalog = scope.kit->getNodekitCatalog();
  return scope;
}

// A kit's catalog is class data, so it outlives the instance asked for it.
const SoNodekitCatalog *catalogOfNewInstance(SoType type) {
  auto *node = static_cast<SoNode *>(type.createInstance());
  if (!node) return nullptr;
  node->ref();
  const SoNodekitCatalog *catalog = static_cast<SoBaseKit *>(node)->getNodekitCatalog();
  node->unref();
  return catalog;
}

// Making an instance is costly (a camera kit makes its camera, light and
// transform) and a part name is checked on every getPart, so the catalogs
// of the kit types Coin and applications register for good are kept. Views
// are asked anew each time: their classes come and go with
// PoBaseView::initClasses and exitClasses, catalogs and all.
Scope scopeOfType(SoType type) {
  Scope scope;
  if (!isKitType(type) || !type.canCreateInstance()) return scope;
  if (type.isDerivedFrom(PoBaseView::getClassTypeId())) {
    scope.catalog = catalogOfNewInstance(type);
    return scope;
  }
  static std::mutex mutex;
  // Keyed by the type's name as SbName keeps it, one string for good.
  static std::map<const char *, const SoNodekitCatalog *> catalogs;
  const char *name = type.getName().getString();
  const std::lock_guard<std::mutex> lock(mutex);
  auto known = catalogs.find(name);
  if (known == catalogs.end()) known = catalogs.emplace(name, catalogOfNewInstance(type)).first;
  scope.catalog = known->second;
  return scope;
}

// The node a kit holds as the given part, or null; read from the part field
// so that nothing is made or looked up by name.
SoNode *existingPart(const Scope &scope, int part) {
  if (!scope.kit) return nullptr;
  SoField *field = scope.kit->getField(scope.catalog->getName(part));
  if (!field || !field->isOfType(SoSFNode::getClassTypeId())) return nullptr;
  return static_cast<SoSFNode *>(field)->getValue();
}

// The scope of a kit part, whether it exists or not.
Scope scopeOfPart(const Scope &scope, int part) {
  if (SoNode *node = existingPart(scope, part)) return scopeOfKit(node);
  return scopeOfType(scope.catalog->getDefaultType(part));
}

// The scope of the element of a list part that the next segment goes into.
// An element that does not exist yet can only be one Coin makes itself, of
// the list's one item type.
bool scopeOfElement(const Scope &scope, int part, int index, Scope &element) {
  if (SoNode *node = existingPart(scope, part)) {
    if (!node->isOfType(SoNodeKitListPart::getClassTypeId())) return false;
    auto *list = static_cast<SoNodeKitListPart *>(node);
    if (index < list->getNumChildren()) {
      element = scopeOfKit(list->getChild(index));
      return element.catalog != nullptr;
    }
  }
  const SoTypeList &items = scope.catalog->getListItemTypes(part);
  if (items.getLength() != 1) return false;
  element = scopeOfType(items[0]);
  return element.catalog != nullptr;
}

bool resolves(const Scope &scope, const std::vector<Segment> &segments, std::size_t at, int depth);

// Coin looks for a name its kit lacks in every leaf part that is a kit.
// Whichever it settles on, the rest of the name must be safe to follow there.
bool resolvesInSubKits(const Scope &scope, const std::vector<Segment> &segments, std::size_t at,
                       int depth) {
  for (int part = 1; part < scope.catalog->getNumEntries(); ++part) {
    if (!scope.catalog->isLeaf(part) || !isKitType(scope.catalog->getType(part))) continue;
    Scope sub = scopeOfPart(scope, part);
    if (!sub.catalog) continue;
    if (!resolves(sub, segments, at, depth + 1)) return false;
  }
  return true;
}

bool resolves(const Scope &scope, const std::vector<Segment> &segments, std::size_t at, int depth) {
  if (depth > kMaxDepth) return false;
  const Segment &segment = segments[at];
  const bool last = at + 1 == segments.size();
  // Coin takes "this" for the kit itself only when it is the whole name.
  if (segment.name == "this") return at == 0 && last && segment.index < 0;
  const int part = scope.catalog->getPartNumber(SbName(segment.name.c_str()));
  if (part == SO_CATALOG_NAME_NOT_FOUND) return resolvesInSubKits(scope, segments, at, depth);
  if (segment.index >= 0) {
    if (!scope.catalog->isList(part)) return false;
    if (last) return true;
    Scope element;
    return scopeOfElement(scope, part, segment.index, element) &&
           resolves(element, segments, at + 1, depth + 1);
  }
  if (last) return true;
  if (!isKitType(scope.catalog->getType(part))) return false;
  Scope sub = scopeOfPart(scope, part);
  return sub.catalog && resolves(sub, segments, at + 1, depth + 1);
}

} // namespace

namespace PartPath {

bool isSound(const SoBaseKit *kit, const char *name) {
  if (!name || !std::strpbrk(name, ".[]")) return true;
  std::vector<Segment> segments;
  if (!split(name, segments)) return false;
  Scope scope = scopeOfKit(kit);
  return scope.catalog && resolves(scope, segments, 0, 0);
}

bool isSoundToSet(const SoBaseKit *kit, const char *name) {
  return isSound(kit, name) && !(name && std::strcmp(name, "this") == 0);
}

} // namespace PartPath
