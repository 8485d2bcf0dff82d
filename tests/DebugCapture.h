#ifndef BRENNICQT_TESTS_DEBUGCAPTURE_H
#define BRENNICQT_TESTS_DEBUGCAPTURE_H

#include <string>
#include <utility>
#include <vector>

// Collects the debug reports posted while it lives, split into the module's
// own (method name, message) pairs and everything Coin reports by itself.
class DebugCapture {
public:
  using Report = std::pair<std::string, std::string>;

  DebugCapture();
  ~DebugCapture();
  DebugCapture(const DebugCapture &) = delete;
  DebugCapture &operator=(const DebugCapture &) = delete;

  const std::vector<Report> &ours() const { return m_ours; }
  const std::vector<Report> &coins() const { return m_coins; }
  void clear() { m_ours.clear(); m_coins.clear(); }

  // Whether a method name is one the module posts under.
  static bool isModuleSource(const std::string &method);

private:
  static void handler(const class SoError *error, void *data);

  std::vector<Report> m_ours;
  std::vector<Report> m_coins;
  void (*m_previousHandler)(const class SoError *, void *);
  void *m_previousData;
};

#endif
