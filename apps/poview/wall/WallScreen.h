#ifndef POVIEW_WALLSCREEN_H
#define POVIEW_WALLSCREEN_H

#include <QImage>
#include <QWidget>

// A borderless window showing one rank's tile, the rank's screen of the wall.
class TileWindow : public QWidget {
public:
  explicit TileWindow(const QSize &size);
  // Shows the next frame: the wall's ranks swap together.
  void swapTo(const QImage &tile);

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  QImage m_tile;
};

#endif
