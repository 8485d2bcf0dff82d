#ifndef BRENNICQT_SOMODULE_H
#define BRENNICQT_SOMODULE_H

#include <cstddef>

// A record of one loaded extension module. Each module derives its own record
// class and constructs it once per load; the records can be listed afterwards.
class SoModule {
public:
  const char *getFileName() const { return m_fileName; }
  const char *getVersion() const { return m_version; }
  const char *getBuildDescription() const { return m_buildDescription; }
  bool getFlag() const { return m_flag; }

  static std::size_t getNumModules();
  // Null when index is out of range.
  static const SoModule *getModule(std::size_t index);

protected:
  SoModule(const char *fileName, const char *version,
           const char *buildDescription, bool flag);
  // Records are never destroyed while their library is loaded.
  ~SoModule() = default;

private:
  const char *m_fileName;
  const char *m_version;
  const char *m_buildDescription;
  bool m_flag;
};

#endif
