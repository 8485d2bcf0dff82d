#ifndef POVIEW_TESTS_SCRATCHDIRECTORY_H
#define POVIEW_TESTS_SCRATCHDIRECTORY_H

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

// A directory of its own for each test, removed afterwards.
class ScratchDirectory {
public:
  QString path(const QString &name) const { return m_directory.filePath(name); }

  QString write(const QString &name, const QByteArray &contents) const;

  // Every entry, hidden ones included: temporary files left by a failed
  // write would start with a dot.
  QStringList entries() const {
    return QDir(m_directory.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::Name);
  }

private:
  QTemporaryDir m_directory;
};

#endif
