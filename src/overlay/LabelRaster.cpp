#include "LabelRaster.h"

#include "DebugReport.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <atomic>

namespace {

// Wider or higher pictures are not set: a label is drawn in a corner of one
// view.
constexpr int kMaxSide = 4096;

QFont labelFont(int pixelSize) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  return font;
}

bool canSetText() {
  if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) return true;
  static std::atomic<bool> reported(false);
  if (!reported.exchange(true))
    postReport("src/overlay/LabelRaster", "labels are drawn only in a QGuiApplication (SoQt::init "
                                    "makes one); this process has none");
  return false;
}

} // namespace

LabelImage rasterLabel(const std::string &utf8Text, int pixelSize) {
  LabelImage image;
  QString text = QString::fromUtf8(utf8Text.data(), int(utf8Text.size()));
  if (text.size() > int(kMaxLabelCharacters)) text.truncate(int(kMaxLabelCharacters));
  if (text.trimmed().isEmpty() || pixelSize <= 0 || !canSetText()) return image;

  const QFont font = labelFont(std::min(pixelSize, kMaxSide));
  const QFontMetrics metrics(font);
  const QRect bounds = metrics.boundingRect(QRect(0, 0, kMaxSide, kMaxSide),
                                            Qt::AlignLeft | Qt::AlignTop, text);
  const int width = std::min(bounds.right() + 2, kMaxSide);
  const int height = std::min(bounds.bottom() + 1, kMaxSide);
  if (width <= 0 || height <= 0) return image;

  QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  {
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, width, height), Qt::AlignLeft | Qt::AlignTop, text);
  }

  image.width = width;
  image.height = height;
  image.rgba.resize(std::size_t(width) * std::size_t(height) * 4u);
  std::uint8_t *out = image.rgba.data();
  for (int row = height - 1; row >= 0; --row) {
    const QRgb *line = reinterpret_cast<const QRgb *>(picture.constScanLine(row));
    for (int x = 0; x < width; ++x) {
      *out++ = 255;
      *out++ = 255;
      *out++ = 255;
      *out++ = std::uint8_t(qAlpha(line[x]));
    }
  }
  return image;
}
