#ifndef BRENNICQT_LINEWIDTHSCALE_H
#define BRENNICQT_LINEWIDTHSCALE_H

class SoState;

// Line widths scaled with the picture: a poster many times the size of the
// window its scene was made for draws a line of width w as w * scale pixels,
// so that lines keep their weight. Coin's GL line width element is replaced
// by one that applies the scale in force to every width set in GL rendering,
// the default width (0, drawn 1 pixel wide) included; with the scale 1 it is
// Coin's element unchanged.
namespace LineWidthScale {

// Replaces the element's type. Needs SoDB::init(); called once by
// ToolkitLayer::init().
void install();

// The scale in force on this process's rendering thread; 1 outside a Scope.
float current();

// Puts a scale in force for its lifetime. A render under it must set the
// line width once at its start (setDefault) for unstyled lines to scale too.
class Scope {
public:
  explicit Scope(float scale);
  ~Scope();
  Scope(const Scope &) = delete;
  Scope &operator=(const Scope &) = delete;

private:
  float m_saved;
};

// Sets the default width, which the scale in force turns into its own width.
void setDefault(SoState *state);

// The width in pixels GL draws lines with now.
float drawnWidth(SoState *state);
// Sets the width so that GL draws lines `pixels` wide, whatever the scale.
void setDrawnWidth(SoState *state, float pixels);

} // namespace LineWidthScale

#endif
