#include "PictureFile.h"

#include "ToolError.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImageWriter>
#include <QList>

namespace {

QByteArray formatOf(const std::string &output) {
  if (output == "-") return "png";
  const QString suffix = QFileInfo(QString::fromStdString(output)).suffix().toLower();
  return suffix.isEmpty() ? QByteArray("png") : suffix.toUtf8();
}

} // namespace

void checkPictureFormat(const std::string &option, const std::string &output) {
  const QByteArray format = formatOf(output);
  const QList<QByteArray> known = QImageWriter::supportedImageFormats();
  if (known.contains(format)) return;
  std::string list;
  for (const QByteArray &each : known) list += (list.empty() ? "" : ", ") + each.toStdString();
  throw usageError(option + " " + quoted(output) + ": no picture format for the extension " +
                   quoted(format.toStdString()) + " (Qt writes " + list + ")");
}

std::string encodePicture(const QImage &image, const std::string &output) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const QByteArray format = formatOf(output);
  QImageWriter writer(&buffer, format);
  if (!writer.write(image))
    throw userError(quoted(output) + ": cannot encode the picture as " + format.toStdString() +
                    ": " + writer.errorString().toStdString());
  return bytes.toStdString();
}
