#include "CoinMessages.h"

#include <Inventor/errors/SoDebugError.h>
#include <Inventor/errors/SoReadError.h>

#include <cstdio>
#include <set>

CoinMessages::CoinMessages()
    : m_previousReadHandler(reinterpret_cast<void *>(SoReadError::getHandlerCallback())),
      m_previousReadData(SoReadError::getHandlerData()),
      m_previousDebugHandler(reinterpret_cast<void *>(SoDebugError::getHandlerCallback())),
      m_previousDebugData(SoDebugError::getHandlerData()) {
  SoReadError::setHandlerCallback(readErrorCB, this);
  SoDebugError::setHandlerCallback(debugErrorCB, this);
}

CoinMessages::~CoinMessages() {
  SoReadError::setHandlerCallback(reinterpret_cast<SoErrorCB *>(m_previousReadHandler),
                                  m_previousReadData);
  SoDebugError::setHandlerCallback(reinterpret_cast<SoErrorCB *>(m_previousDebugHandler),
                                   m_previousDebugData);
}

std::string CoinMessages::firstReadError() const {
  return m_readErrors.empty() ? std::string() : m_readErrors.front();
}

void CoinMessages::clear() {
  m_readErrors.clear();
  m_debugReports.clear();
}

void CoinMessages::printWarnings(const std::string &prefix) const {
  // Coin repeats a report for every node it meets; once is enough to read.
  std::set<std::string> shown;
  for (const std::string &report : m_debugReports)
    if (shown.insert(report).second)
      std::fprintf(stderr, "%swarning: %s\n", prefix.c_str(), report.c_str());
}

// Joins Coin's lines with "; " and drops its "Coin read error:" style lead-in.
std::string CoinMessages::oneLine(const char *text) {
  std::string line;
  bool pendingBreak = false;
  for (const char *c = text; *c; ++c) {
    if (*c == '\n' || *c == '\r') {
      pendingBreak = !line.empty();
      continue;
    }
    if (pendingBreak) {
      line += "; ";
      pendingBreak = false;
      while (*c == ' ' || *c == '\t') ++c;
      if (!*c) break;
    }
    // Coin pads line numbers; runs of blanks become one.
    if ((*c == ' ' || *c == '\t') && !line.empty() && line.back() == ' ') continue;
    line += *c == '\t' ? ' ' : *c;
  }
  for (const char *lead : {"Coin read error: ", "Coin error in ", "Coin warning in "}) {
    const std::string prefix(lead);
    if (line.compare(0, prefix.size(), prefix) == 0) line.erase(0, prefix.size());
  }
  return line;
}

void CoinMessages::readErrorCB(const SoError *error, void *data) {
  static_cast<CoinMessages *>(data)->m_readErrors.push_back(
      oneLine(error->getDebugString().getString()));
}

void CoinMessages::debugErrorCB(const SoError *error, void *data) {
  static_cast<CoinMessages *>(data)->m_debugReports.push_back(
      oneLine(error->getDebugString().getString()));
}
