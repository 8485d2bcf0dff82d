#ifndef BRENNICQT_X3DWRITER_H
#define BRENNICQT_X3DWRITER_H

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class SoField;
class SoNode;

// Writes an X3D document in either encoding from one sequence of calls: the
// classic VRML encoding (.x3dv) or the XML encoding (.x3d).
//
// Nodes come two ways: nodes of the writer's own making (beginNode, fields,
// endNode) and graphs of Coin's VRML97 nodes (coinNode), written field by
// field under their X3D names. Coin nodes met more than once, counted over
// everything given to shareNodes, are written once with DEF and then USEd.
// Only fields that do not hold their default value are written; event
// fields and connections are not.
class X3DWriter {
public:
  enum class Encoding { ClassicVRML, XML };

  // Lines are indented two spaces per level of nesting, up to this many
  // levels.
  static constexpr int kMaxIndentLevels = 32;

  struct Component {
    const char *name;
    int level;
  };

  X3DWriter(std::string &out, Encoding encoding);

  void beginDocument(const char *profile, const std::vector<Component> &components,
                     const char *generator);
  void endDocument();

  // A node in the node field or list opened last (or at the top level).
  void beginNode(const char *type);
  void endNode();

  void field(const char *name, bool value);
  void field(const char *name, float value);
  void field(const char *name, int value);
  // Single or multiple values of floats; list puts an MF value in brackets.
  void field(const char *name, const float *values, int count, bool list = false);
  void field(const char *name, const int *values, int count);
  void field(const char *name, const char *value);
  void field(const char *name, const std::vector<std::string> &values);

  // Node fields: an SFNode holds the one node written before its end, a list
  // the nodes written before its end.
  void beginNodeField(const char *name);
  void endNodeField();
  void beginNodeList(const char *name);
  void endNodeList();

  // Counts the Coin nodes below root, so that nodes met twice are shared.
  void shareNodes(SoNode *root);
  // A graph of Coin VRML97 nodes. Nodes of other kinds have no X3D form and
  // are left out.
  void coinNode(SoNode *node);

private:
  struct Open {
    bool tagOpen;
    bool hasChildren;
    std::string type;
  };

  void startNode(const char *type, bool sameLine);
  void plain(const char *text);
  void newline();
  void attributeStart(const char *name);
  void attributeEnd();
  void openChildContent();
  // Values of one field; list puts them in brackets in the classic encoding.
  template <class Number> void numbers(const char *name, const Number *values, int count, bool list);
  void value(float v);
  void value(double v);
  void value(int v);
  void quoted(const char *text, bool list);
  void coinField(const char *name, SoField *field);
  void coinValue(SoField *field, bool list);
  std::string nameFor(SoNode *node);
  void countShared(SoNode *node);

  std::string &m_out;
  Encoding m_encoding;
  std::vector<Open> m_open;
  // The node field the next node goes into, for the XML containerField.
  std::vector<std::string> m_containers;
  int m_depth = 0;

  std::unordered_map<SoNode *, int> m_references;
  std::unordered_map<SoNode *, std::string> m_names;
  std::unordered_set<std::string> m_usedNames;
  int m_nextName = 0;
};

#endif
