#include "WebPage.h"

#include <cstdio>

const char *const kDefaultXiteUrl = "https://cdn.jsdelivr.net/npm/x_ite@15.0.1/dist/x_ite.min.js";

namespace {

std::string htmlEscaped(const std::string &text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
    case '&': escaped += "&amp;"; break;
    case '<': escaped += "&lt;"; break;
    case '>': escaped += "&gt;"; break;
    case '"': escaped += "&quot;"; break;
    default: escaped += c;
    }
  }
  return escaped;
}

// A JavaScript string literal that can stand inside a script element: no
// character of it can end the element or the string.
std::string scriptString(const std::string &text) {
  std::string literal = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      literal += '\\';
      literal += static_cast<char>(c);
    } else if (c == '\n') {
      literal += "\\n\" +\n\"";
    } else if (c < 0x20 || c == '<' || c == '>' || c == '&') {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      literal += escape;
    } else if (c == 0xE2 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
               (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xA8) {
      // U+2028 and U+2029 end lines in older JavaScript.
      literal += static_cast<unsigned char>(text[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
      i += 2;
    } else {
      literal += static_cast<char>(c);
    }
  }
  return literal + "\"";
}

} // namespace

std::string webPage(const std::string &title, const std::string &x3d, const std::string &xiteUrl) {
  std::string page =
      "<!DOCTYPE html>\n"
      "<html lang=\"en\">\n"
      "<head>\n"
      "<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      "<title>" + htmlEscaped(title) + "</title>\n"
      "<script src=\"" + htmlEscaped(xiteUrl) + "\"></script>\n"
      "<style>\n"
      "html, body { margin: 0; height: 100%; overflow: hidden; background: #000; }\n"
      "x3d-canvas { display: block; position: fixed; left: 0; top: 0; width: 100vw; "
      "height: 100vh; }\n"
      "</style>\n"
      "</head>\n"
      "<body>\n"
      "<x3d-canvas splashScreen=\"false\" contextMenu=\"false\" notifications=\"false\"></x3d-canvas>\n"
      "<script>\n"
      "const scene =\n" + scriptString(x3d) + ";\n"
      "(async () => {\n"
      "  const canvas = document.querySelector(\"x3d-canvas\");\n"
      "  try {\n"
      "    const browser = X3D.getBrowser(canvas);\n"
      // X_ITE turns a viewpoint that looks straight up or down about its
      // view axis to level the horizon; each view's camera must show the
      // layer as the render does.
      "    browser.setBrowserOption(\"StraightenHorizon\", false);\n"
      // X_ITE loads a scene's components all at once, and its Layout
      // component (labels and axis triads) fails when it runs before the
      // Text component it builds on.
      "    await browser.loadComponents(\"Text\");\n"
      "    await browser.replaceWorld(await browser.createX3DFromString(scene));\n"
      "    await browser.nextFrame();\n"
      "    canvas.setAttribute(\"data-scene\", \"loaded\");\n"
      "  } catch (error) {\n"
      "    console.error(error);\n"
      "    canvas.setAttribute(\"data-scene\", \"failed\");\n"
      "  }\n"
      "})();\n"
      "</script>\n"
      "</body>\n"
      "</html>\n";
  return page;
}
