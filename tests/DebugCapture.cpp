#include "DebugCapture.h"

#include <Inventor/errors/SoDebugError.h>

namespace {
// Coin renders a report as "Coin <kind> in <method>(): <message>".
DebugCapture::Report split(const std::string &text) {
  const std::string in = " in ";
  const std::string close = "(): ";
  std::size_t start = text.find(in);
  std::size_t end = text.find(close, start == std::string::npos ? 0 : start);
  if (start == std::string::npos || end == std::string::npos) return {"", text};
  start += in.size();
  return {text.substr(start, end - start), text.substr(end + close.size())};
}
} // namespace

DebugCapture::DebugCapture()
    : m_previousHandler(SoDebugError::getHandlerCallback()),
      m_previousData(SoDebugError::getHandlerData()) {
  SoDebugError::setHandlerCallback(&DebugCapture::handler, this);
}

DebugCapture::~DebugCapture() { SoDebugError::setHandlerCallback(m_previousHandler, m_previousData); }

bool DebugCapture::isModuleSource(const std::string &method) {
  return method.rfind("Po", 0) == 0 || method.rfind("src/", 0) == 0 ||
         method == "SO_NODE_CONSTRUCTOR" || method == "SO_ACTION_CONSTRUCTOR" ||
         method == "SO_ENABLE_ELEMENT";
}

void DebugCapture::handler(const SoError *error, void *data) {
  auto *self = static_cast<DebugCapture *>(data);
  Report report = split(error->getDebugString().getString());
  (isModuleSource(report.first) ? self->m_ours : self->m_coins).push_back(report);
}
