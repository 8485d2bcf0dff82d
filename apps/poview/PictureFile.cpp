#include "PictureFile.h"

#include "ToolError.h"

#include <QBuffer>
#include <QByteArray>

std::string encodePicture(const QImage &image, const std::string &output) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG"))
    throw userError(quoted(output) + ": cannot encode the picture as PNG");
  return bytes.toStdString();
}
