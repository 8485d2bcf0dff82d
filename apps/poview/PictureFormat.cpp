#include "PictureFormat.h"

#include "ToolError.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QString>

std::string pictureFormatFor(const std::string &option, const std::string &output) {
  if (output == "-") return "png";
  const QString suffix = QFileInfo(QString::fromStdString(output)).suffix().toLower();
  if (suffix.isEmpty()) return "png";
  const QList<QByteArray> known = QImageWriter::supportedImageFormats();
  if (known.contains(suffix.toUtf8())) return suffix.toStdString();
  std::string list;
  for (const QByteArray &format : known) list += (list.empty() ? "" : ", ") + format.toStdString();
  throw usageError(option + " " + quoted(output) + ": no picture format for the extension " +
                   quoted(suffix.toStdString()) + " (Qt writes " + list + ")");
}

std::string encodePicture(const QImage &image, const std::string &format,
                          const std::string &output) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, QByteArray::fromStdString(format));
  if (!writer.write(image))
    throw userError(quoted(output) + ": cannot encode the picture as " + format + ": " +
                    writer.errorString().toStdString());
  return bytes.toStdString();
}
