#ifndef BRENNICQT_VRML2FILENAMES_H
#define BRENNICQT_VRML2FILENAMES_H

#include <string>

class SoNode;

// Names the nodes of a VRML97 graph that a written file has to name.
//
// Coin's writer gives DEF names to every node that is referenced more than
// once, which in a VRML graph is every grouping node's child (held by both
// the child list and the children field), to every shared node and to every
// end of a ROUTE; it invents names such as "_+0" for those that have none
// and appends "+N" to names used by more than one node. Strict VRML97
// parsers refuse both. This pass gives every such node, and every node that
// already has a name, a unique name of letters, digits and underscores:
// a valid unique name is kept, an unnamed node is named after its type
// ("Shape_3"), any other name is made plain and unique ("my_part_1").
namespace VRML2FileNames {

void assign(SoNode *root);

// The VRML97 name of the node's type: "Shape" for Coin's VRMLShape.
std::string typeName(const SoNode *node);

// Whether name is a plain identifier: a letter or underscore, then letters,
// digits and underscores.
bool isPlain(const char *name);

} // namespace VRML2FileNames

#endif
