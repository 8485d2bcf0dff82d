#ifndef POVIEW_WALLSCREEN_H
#define POVIEW_WALLSCREEN_H

#include <QImage>
#include <QWidget>

#include <string>

// A borderless window showing one rank's tile, the rank's screen of the wall,
// at `place` on the screen.
class TileWindow : public QWidget {
public:
  TileWindow(const QSize &size, const QPoint &place);
  // Shows the next frame: the wall's ranks swap together.
  void swapTo(const QImage &tile);

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  QImage m_tile;
};

// Names the screen this rank's windows go to, the same for every rank that
// shares it: the DISPLAY, on this machine unless the DISPLAY names a host.
std::string screenOfThisRank();

#endif
