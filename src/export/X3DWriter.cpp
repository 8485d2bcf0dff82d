#include "X3DWriter.h"

#include "VRML2FileNames.h"

#include <Inventor/SbRotation.h>
#include <Inventor/SbString.h>
#include <Inventor/fields/SoFieldData.h>
#include <Inventor/fields/SoMFColor.h>
#include <Inventor/fields/SoMFFloat.h>
#include <Inventor/fields/SoMFInt32.h>
#include <Inventor/fields/SoMFNode.h>
#include <Inventor/fields/SoMFRotation.h>
#include <Inventor/fields/SoMFString.h>
#include <Inventor/fields/SoMFTime.h>
#include <Inventor/fields/SoMFVec2f.h>
#include <Inventor/fields/SoMFVec3f.h>
#include <Inventor/fields/SoSFBool.h>
#include <Inventor/fields/SoSFColor.h>
#include <Inventor/fields/SoSFFloat.h>
#include <Inventor/fields/SoSFInt32.h>
#include <Inventor/fields/SoSFNode.h>
#include <Inventor/fields/SoSFRotation.h>
#include <Inventor/fields/SoSFString.h>
#include <Inventor/fields/SoSFTime.h>
#include <Inventor/fields/SoSFVec2f.h>
#include <Inventor/fields/SoSFVec3f.h>
#include <Inventor/nodes/SoNode.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// VRML97 fields that X3D renamed.
const char *x3dFieldName(const std::string &type, const char *name) {
  if (type == "Collision" && std::strcmp(name, "collide") == 0) return "enabled";
  if ((type == "Switch" && std::strcmp(name, "choice") == 0) ||
      (type == "LOD" && std::strcmp(name, "level") == 0))
    return "children";
  return name;
}

bool isNodeField(const SoField *field) {
  return field->isOfType(SoSFNode::getClassTypeId()) || field->isOfType(SoMFNode::getClassTypeId());
}

// The Coin nodes a node holds, in field order.
void nodesBelow(SoNode *node, std::vector<SoNode *> &below) {
  const SoFieldData *data = node->getFieldData();
  if (!data) return;
  for (int i = 0; i < data->getNumFields(); ++i) {
    SoField *field = data->getField(node, i);
    if (field->isOfType(SoSFNode::getClassTypeId())) {
      if (SoNode *value = static_cast<SoSFNode *>(field)->getValue()) below.push_back(value);
    } else if (field->isOfType(SoMFNode::getClassTypeId())) {
      const SoMFNode *list = static_cast<SoMFNode *>(field);
      for (int k = 0; k < list->getNum(); ++k)
        if ((*list)[k]) below.push_back((*list)[k]);
    }
  }
}

bool isWritten(const SoField *field) {
  const int kind = field->getFieldType();
  return kind != SoField::EVENTIN_FIELD && kind != SoField::EVENTOUT_FIELD && !field->isDefault();
}

} // namespace

X3DWriter::X3DWriter(std::string &out, Encoding encoding)
    : m_out(out), m_encoding(encoding), m_containers(1) {}

// The pieces of a document's head in each encoding, around the profile, each
// component's name and level, and the generator.
struct HeadPieces {
  const char *start, *afterProfile, *component, *level, *afterComponent, *meta, *end;
};
const HeadPieces kClassicHead = {"#X3D V4.0 utf8\nPROFILE ", "\n", "COMPONENT ", ":", "\n",
                                 "META \"generator\" ", "\n"};
const HeadPieces kXMLHead = {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<X3D profile='",
                             "' version='4.0'>\n<head>\n", "<component name='", "' level='",
                             "'/>\n", "<meta name='generator' content='", "'/>\n</head>\n<Scene>"};

void X3DWriter::beginDocument(const char *profile, const std::vector<Component> &components,
                              const char *generator) {
  const HeadPieces &head = m_encoding == Encoding::ClassicVRML ? kClassicHead : kXMLHead;
  m_out += head.start;
  m_out += profile;
  m_out += head.afterProfile;
  for (const Component &component : components) {
    m_out += head.component;
    m_out += component.name;
    m_out += head.level;
    value(component.level);
    m_out += head.afterComponent;
  }
  m_out += head.meta;
  quoted(generator, false);
  m_out += head.end;
}

void X3DWriter::endDocument() {
  if (m_encoding == Encoding::XML) m_out += "\n</Scene>\n</X3D>";
  m_out += '\n';
}

// Indenting every level would make a deeply nested scene's text grow with
// the square of its depth; lines deeper than kMaxIndentLevels stay there.
void X3DWriter::newline() {
  m_out += '\n';
  m_out.append(static_cast<std::size_t>(2 * std::min(m_depth, int(kMaxIndentLevels))), ' ');
}

// In XML a node's start tag stays open for its fields until its first child.
void X3DWriter::openChildContent() {
  if (m_encoding == Encoding::XML && !m_open.empty() && m_open.back().tagOpen) {
    m_out += '>';
    m_open.back().tagOpen = false;
    m_open.back().hasChildren = true;
  }
}

void X3DWriter::beginNode(const char *type) { startNode(type, !m_containers.back().empty()); }

// A classic node goes on the line of the field that holds it or of its DEF,
// and on a line of its own in a list.
void X3DWriter::startNode(const char *type, bool sameLine) {
  if (m_encoding == Encoding::ClassicVRML) {
    if (!sameLine) newline();
    m_out += type;
    m_out += " {";
  } else {
    openChildContent();
    newline();
    m_out += '<';
    m_out += type;
    if (!m_containers.back().empty() && m_containers.back() != "children") {
      m_out += " containerField='";
      m_out += m_containers.back();
      m_out += '\'';
    }
  }
  m_open.push_back(Open{true, false, type});
  m_containers.push_back(std::string());
  ++m_depth;
}

void X3DWriter::endNode() {
  --m_depth;
  m_containers.pop_back();
  const Open open = m_open.back();
  m_open.pop_back();
  if (m_encoding == Encoding::ClassicVRML) {
    newline();
    m_out += '}';
  } else if (open.tagOpen) {
    m_out += "/>";
  } else {
    newline();
    m_out += "</";
    m_out += open.type;
    m_out += '>';
  }
}

void X3DWriter::attributeStart(const char *name) {
  if (m_encoding == Encoding::ClassicVRML) {
    newline();
    m_out += name;
    m_out += ' ';
  } else {
    m_out += ' ';
    m_out += name;
    m_out += "='";
  }
}

void X3DWriter::attributeEnd() {
  if (m_encoding == Encoding::XML) m_out += '\'';
}

// A file cannot carry a value that is not finite; such a value is written
// as 0.
void X3DWriter::value(float v) {
  if (!std::isfinite(v)) v = 0.0f;
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, v);
  m_out.append(digits, result.ptr);
}

void X3DWriter::value(double v) {
  if (!std::isfinite(v)) v = 0.0;
  char digits[40];
  const auto result = std::to_chars(digits, digits + sizeof digits, v);
  m_out.append(digits, result.ptr);
}

// std::to_chars for integers and std::to_string would bring a unique
// symbol of the standard library into the module, which keeps it from ever
// being unloaded.
void X3DWriter::value(int v) {
  char digits[16];
  const int length = std::snprintf(digits, sizeof digits, "%d", v);
  m_out.append(digits, static_cast<std::size_t>(length));
}

// A string value: in quotes with the classic encoding's escapes, except an
// SFString in an XML attribute, which stands there bare. XML attributes
// escape what would end them or start markup.
void X3DWriter::quoted(const char *text, bool list) {
  const bool xml = m_encoding == Encoding::XML;
  const bool quotes = !xml || list;
  if (!quotes) {
    plain(text);
    return;
  }
  std::string escaped;
  for (const char *c = text; *c; ++c) {
    if (*c == '"' || *c == '\\') escaped += '\\';
    escaped += *c;
  }
  m_out += '"';
  plain(escaped.c_str());
  m_out += '"';
}

void X3DWriter::plain(const char *text) {
  if (m_encoding == Encoding::ClassicVRML) {
    m_out += text;
    return;
  }
  for (const char *c = text; *c; ++c) {
    if (*c == '&') {
      m_out += "&amp;";
    } else if (*c == '<') {
      m_out += "&lt;";
    } else if (*c == '\'') {
      m_out += "&apos;";
    } else {
      m_out += *c;
    }
  }
}

void X3DWriter::field(const char *name, bool v) {
  attributeStart(name);
  if (m_encoding == Encoding::ClassicVRML)
    m_out += v ? "TRUE" : "FALSE";
  else
    m_out += v ? "true" : "false";
  attributeEnd();
}

void X3DWriter::field(const char *name, float v) { field(name, &v, 1); }

void X3DWriter::field(const char *name, int v) { field(name, &v, 1); }

template <class Number>
void X3DWriter::numbers(const char *name, const Number *values, int count, bool list) {
  attributeStart(name);
  const bool brackets = list && m_encoding == Encoding::ClassicVRML;
  if (brackets) m_out += "[ ";
  for (int i = 0; i < count; ++i) {
    if (i) m_out += ' ';
    value(values[i]);
  }
  if (brackets) m_out += " ]";
  attributeEnd();
}

void X3DWriter::field(const char *name, const float *values, int count, bool list) {
  numbers(name, values, count, list);
}

void X3DWriter::field(const char *name, const int *values, int count) {
  numbers(name, values, count, count != 1);
}

void X3DWriter::field(const char *name, const char *v) {
  attributeStart(name);
  quoted(v, false);
  attributeEnd();
}

void X3DWriter::field(const char *name, const std::vector<std::string> &values) {
  attributeStart(name);
  const bool brackets = m_encoding == Encoding::ClassicVRML;
  if (brackets) m_out += "[ ";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i) m_out += ' ';
    quoted(values[i].c_str(), true);
  }
  if (brackets) m_out += " ]";
  attributeEnd();
}

void X3DWriter::beginNodeField(const char *name) {
  if (m_encoding == Encoding::ClassicVRML) {
    newline();
    m_out += name;
    m_out += ' ';
  }
  m_containers.back() = name;
}

void X3DWriter::endNodeField() { m_containers.back().clear(); }

void X3DWriter::beginNodeList(const char *name) {
  if (m_encoding == Encoding::ClassicVRML) {
    newline();
    m_out += name;
    m_out += " [";
    ++m_depth;
  }
  // In classic lists every node starts on a line of its own.
  m_containers.back() = m_encoding == Encoding::ClassicVRML ? std::string() : std::string(name);
}

void X3DWriter::endNodeList() {
  if (m_encoding == Encoding::ClassicVRML) {
    --m_depth;
    newline();
    m_out += ']';
  }
  m_containers.back().clear();
}

void X3DWriter::countShared(SoNode *root) {
  std::vector<SoNode *> stack{root};
  while (!stack.empty()) {
    SoNode *node = stack.back();
    stack.pop_back();
    if (++m_references.emplace(node, 0).first->second > 1) continue;
    nodesBelow(node, stack);
  }
}

void X3DWriter::shareNodes(SoNode *root) {
  if (root) countShared(root);
}

// A name of letters, digits and underscores no other node has: the node's
// own when it is one, otherwise one made from its type.
std::string X3DWriter::nameFor(SoNode *node) {
  auto known = m_names.find(node);
  if (known != m_names.end()) return known->second;
  std::string name = node->getName().getString();
  if (!VRML2FileNames::isPlain(name.c_str()) || m_usedNames.count(name)) {
    const std::string stem = VRML2FileNames::typeName(node);
    do {
      char number[16];
      std::snprintf(number, sizeof number, "_%d", m_nextName++);
      name = stem + number;
    } while (m_usedNames.count(name));
  }
  m_usedNames.insert(name);
  m_names.emplace(node, name);
  return name;
}

void X3DWriter::coinNode(SoNode *node) {
  if (!node || !(node->getNodeType() & SoNode::VRML2)) return;
  const std::string type = VRML2FileNames::typeName(node);
  auto references = m_references.find(node);
  const bool shared = references != m_references.end() && references->second > 1;
  if (shared && m_names.count(node)) {
    // A node written before: its name alone.
    const std::string name = m_names.find(node)->second;
    if (m_encoding == Encoding::ClassicVRML) {
      if (m_containers.back().empty()) newline();
      m_out += "USE ";
      m_out += name;
      return;
    }
    beginNode(type.c_str());
    m_out += " USE='";
    m_out += name;
    m_out += '\'';
    endNode();
    return;
  }
  if (shared && m_encoding == Encoding::ClassicVRML) {
    if (m_containers.back().empty()) newline();
    m_out += "DEF ";
    m_out += nameFor(node);
    m_out += ' ';
    startNode(type.c_str(), true);
  } else {
    beginNode(type.c_str());
  }
  if (shared && m_encoding == Encoding::XML) {
    m_out += " DEF='";
    m_out += nameFor(node);
    m_out += '\'';
  }
  const SoFieldData *data = node->getFieldData();
  const int numFields = data ? data->getNumFields() : 0;
  // Plain fields first: an XML start tag holds them all.
  for (int pass = 0; pass < 2; ++pass)
    for (int i = 0; i < numFields; ++i) {
      SoField *field = data->getField(node, i);
      if (isNodeField(field) != (pass == 1) || !isWritten(field)) continue;
      coinField(x3dFieldName(type, data->getFieldName(i).getString()), field);
    }
  endNode();
}

void X3DWriter::coinField(const char *name, SoField *field) {
  if (field->isOfType(SoSFNode::getClassTypeId())) {
    SoNode *value = static_cast<SoSFNode *>(field)->getValue();
    if (!value || !(value->getNodeType() & SoNode::VRML2)) return;
    beginNodeField(name);
    coinNode(value);
    endNodeField();
    return;
  }
  if (field->isOfType(SoMFNode::getClassTypeId())) {
    const SoMFNode *list = static_cast<SoMFNode *>(field);
    beginNodeList(name);
    for (int k = 0; k < list->getNum(); ++k) coinNode((*list)[k]);
    endNodeList();
    return;
  }
  attributeStart(name);
  coinValue(field, field->isOfType(SoMField::getClassTypeId()));
  attributeEnd();
}

// The value of a plain field. Numbers are written from the values
// themselves, which is faster than Coin's text and exact; other types as
// Coin writes them.
void X3DWriter::coinValue(SoField *field, bool list) {
  const bool brackets = list && m_encoding == Encoding::ClassicVRML;
  if (brackets) m_out += "[ ";
  auto floats = [this](const float *values, int count, int perValue) {
    for (int i = 0; i < count * perValue; ++i) {
      if (i) m_out += (i % perValue) ? " " : (i % (8 * perValue) ? ", " : ",\n");
      value(values[i]);
    }
  };
  const SoType type = field->getTypeId();
  if (type == SoSFBool::getClassTypeId()) {
    const bool v = static_cast<SoSFBool *>(field)->getValue() != FALSE;
    m_out += m_encoding == Encoding::XML ? (v ? "true" : "false") : (v ? "TRUE" : "FALSE");
  } else if (type == SoSFFloat::getClassTypeId()) {
    value(static_cast<SoSFFloat *>(field)->getValue());
  } else if (type == SoSFInt32::getClassTypeId()) {
    value(static_cast<int>(static_cast<SoSFInt32 *>(field)->getValue()));
  } else if (type == SoSFTime::getClassTypeId()) {
    value(static_cast<SoSFTime *>(field)->getValue().getValue());
  } else if (type == SoSFVec2f::getClassTypeId()) {
    floats(static_cast<SoSFVec2f *>(field)->getValue().getValue(), 1, 2);
  } else if (type == SoSFVec3f::getClassTypeId()) {
    floats(static_cast<SoSFVec3f *>(field)->getValue().getValue(), 1, 3);
  } else if (type == SoSFColor::getClassTypeId()) {
    floats(static_cast<SoSFColor *>(field)->getValue().getValue(), 1, 3);
  } else if (type == SoSFRotation::getClassTypeId() || type == SoMFRotation::getClassTypeId()) {
    const bool single = type == SoSFRotation::getClassTypeId();
    const int count = single ? 1 : static_cast<SoMFRotation *>(field)->getNum();
    for (int i = 0; i < count; ++i) {
      const SbRotation &rotation = single ? static_cast<SoSFRotation *>(field)->getValue()
                                          : (*static_cast<SoMFRotation *>(field))[i];
      SbVec3f axis;
      float angle = 0.0f;
      rotation.getValue(axis, angle);
      const float values[4] = {axis[0], axis[1], axis[2], angle};
      if (i) m_out += ", ";
      floats(values, 1, 4);
    }
  } else if (type == SoSFString::getClassTypeId()) {
    quoted(static_cast<SoSFString *>(field)->getValue().getString(), list);
  } else if (type == SoMFString::getClassTypeId()) {
    const SoMFString *strings = static_cast<SoMFString *>(field);
    for (int i = 0; i < strings->getNum(); ++i) {
      if (i) m_out += ' ';
      quoted((*strings)[i].getString(), true);
    }
  } else if (type == SoMFFloat::getClassTypeId()) {
    const SoMFFloat *values = static_cast<SoMFFloat *>(field);
    floats(values->getValues(0), values->getNum(), 1);
  } else if (type == SoMFTime::getClassTypeId()) {
    const SoMFTime *values = static_cast<SoMFTime *>(field);
    for (int i = 0; i < values->getNum(); ++i) {
      if (i) m_out += ' ';
      value((*values)[i].getValue());
    }
  } else if (type == SoMFInt32::getClassTypeId()) {
    const SoMFInt32 *values = static_cast<SoMFInt32 *>(field);
    const int32_t *ints = values->getValues(0);
    for (int i = 0; i < values->getNum(); ++i) {
      if (i) m_out += (ints[i - 1] == -1 && i % 16 == 0) ? "\n" : " ";
      value(static_cast<int>(ints[i]));
    }
  } else if (type == SoMFVec2f::getClassTypeId()) {
    const SoMFVec2f *values = static_cast<SoMFVec2f *>(field);
    if (values->getNum()) floats(values->getValues(0)[0].getValue(), values->getNum(), 2);
  } else if (type == SoMFVec3f::getClassTypeId()) {
    const SoMFVec3f *values = static_cast<SoMFVec3f *>(field);
    if (values->getNum()) floats(values->getValues(0)[0].getValue(), values->getNum(), 3);
  } else if (type == SoMFColor::getClassTypeId()) {
    const SoMFColor *values = static_cast<SoMFColor *>(field);
    if (values->getNum()) floats(values->getValues(0)[0].getValue(), values->getNum(), 3);
  } else if (list) {
    SoMField *values = static_cast<SoMField *>(field);
    for (int i = 0; i < values->getNum(); ++i) {
      SbString text;
      values->get1(i, text);
      if (i) m_out += ' ';
      plain(text.getString());
    }
  } else {
    SbString text;
    field->get(text);
    plain(text.getString());
  }
  if (brackets) m_out += " ]";
}
