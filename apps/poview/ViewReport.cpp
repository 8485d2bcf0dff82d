#include "ViewReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <cstdio>
#include <sstream>
#include <string>

namespace {

std::string number(float value) {
  std::ostringstream out;
  out << value; // shortest form that reads back to the same float: 0.5, 0.25, 1
  return out.str();
}

std::string onOff(int flag) { return flag < 0 ? "-" : flag ? "on" : "off"; }

QJsonValue jsonFlag(int flag) {
  return flag < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(flag != 0);
}

// Through the short decimal form, so 0.1 is written 0.1 and not as the
// float's exact binary value.
double jsonNumber(float value) { return std::stod(number(value)); }

QJsonArray jsonPair(const SbVec2f &value) {
  return QJsonArray{jsonNumber(value[0]), jsonNumber(value[1])};
}

std::string colour(const SbColor &value) {
  return number(value[0]) + ' ' + number(value[1]) + ' ' + number(value[2]);
}

QJsonValue jsonColour(bool has, const SbColor &value) {
  if (!has) return QJsonValue(QJsonValue::Null);
  return QJsonArray{jsonNumber(value[0]), jsonNumber(value[1]), jsonNumber(value[2])};
}

// A label on one line, in quotes, as C writes a string.
std::string quotedLabel(const std::string &label) {
  std::string quoted = "\"";
  for (char c : label) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (c == '\n') {
      quoted += "\\n";
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(c));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

} // namespace

std::string formatViewLines(const std::vector<ViewRecord> &views,
                            const std::vector<LinkRecord> &links) {
  std::ostringstream out;
  for (const ViewRecord &view : views) {
    const int indent = view.depth < kMaxIndentedDepth ? view.depth : kMaxIndentedDepth;
    out << std::string(2 * static_cast<std::size_t>(indent), ' ');
    if (view.depth > kMaxIndentedDepth) out << "(depth " << view.depth << ") ";
    out << view.type;
    if (!view.name.empty()) out << " \"" << view.name << '"';
    out << " origin " << number(view.origin[0]) << ' ' << number(view.origin[1]) << " size "
        << number(view.size[0]) << ' ' << number(view.size[1]) << " camera "
        << (view.camera.empty() ? "none" : view.camera) << " background "
        << onOff(view.backgroundVisible);
    if (view.hasDecorations) out << " color " << colour(view.backgroundColor);
    out << " border " << onOff(view.borderVisible);
    if (view.hasDecorations)
      out << " color " << colour(view.borderColor) << " width " << number(view.borderWidth);
    // Overlays only where shown, so that the lines of other views read as
    // they always have.
    if (!view.label.empty())
      out << " label " << quotedLabel(view.label) << " color " << colour(view.labelColor);
    if (view.axesVisible) out << " axes on";
    if (view.navigation != "EXAMINE") out << " navigation " << view.navigation;
    out << '\n';
  }
  for (const LinkRecord &link : links) {
    out << "PoCameraLink";
    if (!link.name.empty()) out << " \"" << link.name << '"';
    out << " views";
    for (int index : link.views) {
      out << ' ';
      if (index < 0)
        out << '-';
      else
        out << index + 1;
    }
    out << " link";
    for (const std::string &kind : link.kinds) out << ' ' << kind;
    out << '\n';
  }
  return out.str();
}

std::string formatViewJson(const std::string &file, const std::vector<ViewRecord> &views,
                           const std::vector<LinkRecord> &links) {
  QJsonArray list;
  for (const ViewRecord &view : views) {
    QJsonObject entry;
    entry["type"] = QString::fromStdString(view.type);
    entry["name"] = QString::fromStdString(view.name);
    entry["depth"] = view.depth;
    entry["viewportOrigin"] = jsonPair(view.origin);
    entry["viewportSize"] = jsonPair(view.size);
    entry["camera"] = view.camera.empty() ? QJsonValue(QJsonValue::Null)
                                          : QJsonValue(QString::fromStdString(view.camera));
    entry["backgroundVisible"] = jsonFlag(view.backgroundVisible);
    entry["borderVisible"] = jsonFlag(view.borderVisible);
    entry["backgroundColor"] = jsonColour(view.hasDecorations, view.backgroundColor);
    entry["borderColor"] = jsonColour(view.hasDecorations, view.borderColor);
    entry["borderWidth"] = view.hasDecorations ? QJsonValue(jsonNumber(view.borderWidth))
                                               : QJsonValue(QJsonValue::Null);
    entry["activeBorderColor"] = jsonColour(view.hasDecorations, view.activeBorderColor);
    entry["label"] = view.hasOverlays ? QJsonValue(QString::fromStdString(view.label))
                                      : QJsonValue(QJsonValue::Null);
    entry["labelColor"] = jsonColour(view.hasOverlays, view.labelColor);
    entry["axesVisible"] = view.hasOverlays ? QJsonValue(view.axesVisible)
                                            : QJsonValue(QJsonValue::Null);
    entry["navigation"] = QString::fromStdString(view.navigation);
    list.append(entry);
  }
  QJsonArray linkList;
  for (const LinkRecord &link : links) {
    QJsonArray linked, kinds;
    for (int index : link.views)
      linked.append(index < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(index));
    for (const std::string &kind : link.kinds) kinds.append(QString::fromStdString(kind));
    QJsonObject entry;
    entry["name"] = QString::fromStdString(link.name);
    entry["views"] = linked;
    entry["link"] = kinds;
    linkList.append(entry);
  }
  QJsonObject top;
  top["file"] = QString::fromStdString(file);
  top["views"] = list;
  top["links"] = linkList;
  return QJsonDocument(top).toJson(QJsonDocument::Indented).toStdString();
}

void warnAboutViewsWithoutCamera(const std::vector<ViewRecord> &views, const std::string &prefix) {
  for (std::size_t i = 0; i < views.size(); ++i) {
    const ViewRecord &view = views[i];
    if (!view.camera.empty()) continue;
    std::string name = view.type;
    if (!view.name.empty()) name += " \"" + view.name + "\"";
    std::fprintf(stderr, "%swarning: view %zu (%s) has no camera (cameraKit.camera), so it shows "
                         "nothing\n",
                 prefix.c_str(), i + 1, name.c_str());
  }
}
