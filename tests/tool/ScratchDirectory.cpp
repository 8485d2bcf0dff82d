#include "ScratchDirectory.h"

#include <QFile>

QString ScratchDirectory::write(const QString &name, const QByteArray &contents) const {
  const QString filePath = path(name);
  QFile file(filePath);
  if (file.open(QIODevice::WriteOnly)) file.write(contents);
  return filePath;
}
