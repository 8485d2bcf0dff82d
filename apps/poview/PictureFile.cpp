#include "PictureFile.h"

#include "CommandOutput.h"
#include "ToolError.h"

#include <QByteArray>
#include <QFile>
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

std::string pictureFormatOf(const std::string &output) { return formatOf(output).toStdString(); }

void checkPictureFormat(const std::string &option, const std::string &output) {
  const QByteArray format = formatOf(output);
  const QList<QByteArray> known = QImageWriter::supportedImageFormats();
  if (known.contains(format)) return;
  std::string list;
  for (const QByteArray &each : known) list += (list.empty() ? "" : ", ") + each.toStdString();
  throw usageError(option + " " + quoted(output) + ": no picture format for the extension " +
                   quoted(format.toStdString()) + " (Qt writes " + list + ")");
}

void writePicture(const QImage &image, const std::string &output) {
  const QByteArray format = formatOf(output);
  writeOutput(output, [&](int fd) {
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) return false;
    QImageWriter writer(&file, format);
    const bool written = writer.write(image);
    // What the writer could not put into the file is a write error (errno
    // tells which); anything else is the encoder's.
    if (!written && file.error() == QFileDevice::NoError)
      throw userError(quoted(output) + ": cannot encode the picture as " +
                      format.toStdString() + ": " + writer.errorString().toStdString());
    return written && file.flush();
  });
}
