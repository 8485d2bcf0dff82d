#include "WallScreen.h"

#include <QCoreApplication>
#include <QPainter>

#include <climits>
#include <cstdlib>
#include <unistd.h>

TileWindow::TileWindow(const QSize &size, const QPoint &place)
    : QWidget(nullptr, Qt::FramelessWindowHint) {
  setFixedSize(size);
  move(place);
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

std::string screenOfThisRank() {
  const char *variable = std::getenv("DISPLAY");
  std::string display = variable ? variable : "";
  const std::size_t colon = display.rfind(':');
  if (colon == std::string::npos) return display;
  // ":0" is ":0.0".
  if (display.find('.', colon) == std::string::npos) display += ".0";
  const std::string host = display.substr(0, colon);
  if (!host.empty() && host != "unix" && host != "localhost") return display;
  char name[HOST_NAME_MAX + 1] = {};
  ::gethostname(name, sizeof name - 1);
  return std::string(name) + display.substr(colon);
}
