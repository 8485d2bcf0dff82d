#include "VRML2FileNames.h"

#include <Inventor/SbName.h>
#include <Inventor/SbString.h>
#include <Inventor/fields/SoField.h>
#include <Inventor/fields/SoMFNode.h>
#include <Inventor/fields/SoSFNode.h>
#include <Inventor/lists/SoFieldList.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodes/SoNode.h>

#include <cstdio>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct Visit {
  int references = 0;
  bool mustName = false;
};

class Walk {
public:
  // Nodes in the order of their first visit, which is the order the writer
  // meets them, so the numbering reads from the top of the file down.
  std::vector<SoNode *> order;
  std::unordered_map<SoNode *, Visit> visits;

  void run(SoNode *root) {
    std::vector<std::pair<SoNode *, bool>> stack{{root, false}};
    while (!stack.empty()) {
      auto [node, listed] = stack.back();
      stack.pop_back();
      if (!node) continue;
      Visit &visit = visits.emplace(node, Visit()).first->second;
      if (++visit.references > 1 || listed) visit.mustName = true;
      if (visit.references > 1) continue;
      order.push_back(node);
      if (isRouteEnd(node)) visit.mustName = true;
      std::vector<std::pair<SoNode *, bool>> next;
      collect(node, next);
      for (auto it = next.rbegin(); it != next.rend(); ++it) stack.push_back(*it);
    }
  }

private:
  // The nodes below node, in writing order. A node with node fields writes
  // what it holds through them (a VRML group's children, a Shape's geometry),
  // and its child list, if any, only repeats them; other nodes (Inventor
  // groups) hold their nodes in the child list alone. Nodes in a node list
  // are named by the writer; a node held by a single-node field is named
  // only if it is shared.
  static void collect(SoNode *node, std::vector<std::pair<SoNode *, bool>> &next) {
    SoFieldList fields;
    const int numFields = node->getFields(fields);
    bool hasNodeFields = false;
    for (int i = 0; i < numFields; ++i) {
      SoField *field = fields[i];
      if (field->isOfType(SoSFNode::getClassTypeId())) {
        hasNodeFields = true;
        next.emplace_back(static_cast<SoSFNode *>(field)->getValue(), false);
      } else if (field->isOfType(SoMFNode::getClassTypeId())) {
        hasNodeFields = true;
        SoMFNode *list = static_cast<SoMFNode *>(field);
        for (int k = 0; k < list->getNum(); ++k) next.emplace_back((*list)[k], true);
      }
    }
    if (hasNodeFields) return;
    if (SoChildList *children = node->getChildren())
      for (int k = 0; k < children->getLength(); ++k) next.emplace_back((*children)[k], true);
  }

  static bool isRouteEnd(SoNode *node) {
    SoFieldList fields;
    const int numFields = node->getFields(fields);
    for (int i = 0; i < numFields; ++i) {
      SoField *field = fields[i];
      if (field->isConnectedFromField()) return true;
      SoFieldList slaves;
      if (field->getForwardConnections(slaves) > 0) return true;
    }
    return false;
  }
};

std::string plainStem(const char *name) {
  std::string stem(name);
  for (char &c : stem)
    if (!isLetter(c) && !isDigit(c)) c = '_';
  if (stem.empty() || isDigit(stem[0])) stem.insert(0, "_");
  return stem;
}

// std::to_string (and the maps' operator[], which constructs piecewise)
// would bring a unique symbol of the standard library into the module, and
// such a symbol keeps the module from ever being unloaded.
std::string number(int value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%d", value);
  return digits;
}

class Namer {
public:
  SbName unique(const std::string &stem) {
    int &next = m_next.emplace(stem, 0).first->second;
    std::string candidate;
    do {
      candidate = stem + "_" + number(next++);
    } while (m_used.count(candidate));
    m_used.insert(candidate);
    return SbName(candidate.c_str());
  }

  bool claim(const char *name) { return m_used.insert(name).second; }

private:
  std::unordered_set<std::string> m_used;
  std::unordered_map<std::string, int> m_next;
};

} // namespace

std::string VRML2FileNames::typeName(const SoNode *node) {
  std::string name = node->getTypeId().getName().getString();
  if (name.rfind("VRML", 0) == 0 && name.size() > 4) name.erase(0, 4);
  return name.empty() ? std::string("Node") : name;
}

bool VRML2FileNames::isPlain(const char *name) {
  if (!name || !isLetter(name[0])) return false;
  for (const char *c = name + 1; *c; ++c)
    if (!isLetter(*c) && !isDigit(*c)) return false;
  return true;
}

void VRML2FileNames::assign(SoNode *root) {
  if (!root) return;
  Walk walk;
  walk.run(root);
  Namer namer;
  // Valid names are claimed first, so that a name a node already carries is
  // never taken by a generated one further up the file.
  std::vector<SoNode *> rename;
  for (SoNode *node : walk.order) {
    const char *name = node->getName().getString();
    if (*name == '\0') {
      if (walk.visits.find(node)->second.mustName) rename.push_back(node);
    } else if (!isPlain(name) || !namer.claim(name)) {
      rename.push_back(node);
    }
  }
  for (SoNode *node : rename) {
    const char *name = node->getName().getString();
    node->setName(namer.unique(*name ? plainStem(name) : typeName(node)));
  }
}
