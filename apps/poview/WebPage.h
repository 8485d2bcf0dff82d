#ifndef POVIEW_WEBPAGE_H
#define POVIEW_WEBPAGE_H

#include <string>

// Where the page loads X_ITE from unless told otherwise: the X_ITE release
// the exports are tested with, from the jsDelivr mirror of the npm registry.
extern const char *const kDefaultXiteUrl;

// One self-contained HTML page that shows an X3D scene in X_ITE, filling the
// browser window. The scene (X3D text in either encoding) goes inline; the
// page loads X_ITE from xiteUrl and turns off X_ITE's "StraightenHorizon",
// which would turn views that look straight down. When the scene is shown, the page's
// x3d-canvas element gets the attribute data-scene="loaded" (or "failed"),
// which tests and scripts can wait for.
std::string webPage(const std::string &title, const std::string &x3d, const std::string &xiteUrl);

#endif
