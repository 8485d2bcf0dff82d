#ifndef POVIEW_VIEWREPORT_H
#define POVIEW_VIEWREPORT_H

#include "ViewInventory.h"

#include <string>
#include <vector>

// One line per view, indented by nesting depth:
//   PoSceneView "Name" origin 0 0.5 size 0.5 0.5 camera PerspectiveCamera
//     background on color 0.1 0.1 0.4 border off color 0.8 0.8 0.8 width 1
// (on one line); a plain view's line ends "background - border -", and a
// view whose navigation is not EXAMINE adds "navigation PAN". Then one line
// per camera link, naming its views by their place in the list (from 1; "-"
// for a view the scene does not show):
//   PoCameraLink "Name" views 1 2 3 link POSITION ZOOM
// Views nested deeper than kMaxIndentedDepth keep that indentation and give
// their depth instead, "(depth 40) PoSceneView ...": indenting each line by
// its depth would make the listing grow with the square of the nesting.
constexpr int kMaxIndentedDepth = 32;
std::string formatViewLines(const std::vector<ViewRecord> &views,
                            const std::vector<LinkRecord> &links);

// {"file": ..., "views": [{"type", "name", "depth", "viewportOrigin",
//  "viewportSize", "camera", "backgroundVisible", "borderVisible",
//  "backgroundColor", "borderColor", "borderWidth", "navigation"}],
//  "links": [{"name", "views", "link"}]}; a missing camera or visibility
// field, and a plain view's colours and width, are null. A link's views are
// indexes into "views" (from 0; null for a view the scene does not show),
// its "link" the kinds it carries, e.g. ["POSITION", "ZOOM"].
std::string formatViewJson(const std::string &file, const std::vector<ViewRecord> &views,
                           const std::vector<LinkRecord> &links);

// One warning line on stderr, after `prefix`, for each view that has no
// camera and so shows nothing of its scene, naming it by its place in
// traversal order (from 1), its type and its DEF name.
void warnAboutViewsWithoutCamera(const std::vector<ViewRecord> &views, const std::string &prefix);

#endif
