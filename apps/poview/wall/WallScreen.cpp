#include "WallScreen.h"

#include <QCoreApplication>
#include <QPainter>

TileWindow::TileWindow(const QSize &size) : QWidget(nullptr, Qt::FramelessWindowHint) {
  setFixedSize(size);
  move(0, 0);
  setWindowTitle("poview wall");
}

void TileWindow::swapTo(const QImage &tile) {
  m_tile = tile;
  repaint();
  QCoreApplication::processEvents();
}

void TileWindow::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.drawImage(0, 0, m_tile);
}
