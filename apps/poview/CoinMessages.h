#ifndef POVIEW_COINMESSAGES_H
#define POVIEW_COINMESSAGES_H

#include <string>
#include <vector>

// Takes over Coin's read-error and debug-error channels while it lives.
// Coin prints its reports over several lines; the tool has to give one line
// per failure, so it keeps the reports and lets the command decide which one
// becomes part of its own error message and which are shown as warnings.
class CoinMessages {
public:
  CoinMessages();
  ~CoinMessages();
  CoinMessages(const CoinMessages &) = delete;
  CoinMessages &operator=(const CoinMessages &) = delete;

  // The first read error since the last clear, on one line, or "".
  std::string firstReadError() const;
  void clear();
  // Prints the kept debug reports to stderr, one line each, prefixed, each
  // distinct report once.
  void printWarnings(const std::string &prefix) const;

private:
  std::vector<std::string> m_readErrors;
  std::vector<std::string> m_debugReports;
  void *m_previousReadHandler;
  void *m_previousReadData;
  void *m_previousDebugHandler;
  void *m_previousDebugData;

  static std::string oneLine(const char *text);
  static void readErrorCB(const class SoError *error, void *data);
  static void debugErrorCB(const class SoError *error, void *data);
};

#endif
