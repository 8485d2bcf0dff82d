#include "SceneFiles.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoOutput.h>
#include <Inventor/actions/SoWriteAction.h>
#include <Inventor/errors/SoReadError.h>
#include <Inventor/nodes/SoSeparator.h>

#include <cstdlib>
#include <sstream>

std::string writeScene(SoNode *root) {
  SoOutput output;
  output.setBuffer(nullptr, 0, std::realloc);
  SoWriteAction write(&output);
  write.apply(root);
  void *buffer = nullptr;
  std::size_t size = 0;
  if (!output.getBuffer(buffer, size)) return std::string();
  std::string text(static_cast<const char *>(buffer), size);
  std::free(buffer);
  return text;
}

SoSeparator *readScene(const std::string &text) {
  SoInput input;
  input.setBuffer(text.data(), text.size());
  return SoDB::readAll(&input);
}

std::vector<std::string> writtenFieldNames(const std::string &text) {
  std::vector<std::string> names;
  std::istringstream lines(text);
  std::string line;
  int depth = 0;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string first, second;
    words >> first >> second;
    // Lines one level inside the first node; "Type {" opens a node.
    if (depth == 1 && !first.empty() && first != "fields" && first != "}" && second != "{" &&
        first != "DEF" && first != "USE")
      names.push_back(first);
    for (char c : line) depth += c == '{' ? 1 : c == '}' ? -1 : 0;
  }
  return names;
}

ReadErrorCapture::ReadErrorCapture()
    : m_previousHandler(SoReadError::getHandlerCallback()),
      m_previousData(SoReadError::getHandlerData()) {
  SoReadError::setHandlerCallback(&ReadErrorCapture::handler, this);
}

ReadErrorCapture::~ReadErrorCapture() {
  SoReadError::setHandlerCallback(m_previousHandler, m_previousData);
}

void ReadErrorCapture::handler(const SoError *error, void *data) {
  static_cast<ReadErrorCapture *>(data)->m_errors.push_back(
      error->getDebugString().getString());
}
