#include "PoSceneReader.h"

#include "SceneShape.h"
#include "StackGuard.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/errors/SoReadError.h>
#include <Inventor/nodes/SoSeparator.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <pthread.h>
#include <string>
#include <sys/stat.h>

namespace {

// What one level of nesting takes of a stack, with room to spare: Coin's
// reader takes up to 1.5 KB a level (VRML groups), its traversals and the
// release of a graph 0.5 to 1 KB.
constexpr std::size_t kBytesPerLevel = 2048;
// What the program around a traversal takes: the application's own frames,
// Qt's and the GL driver's.
constexpr std::size_t kBaseBytes = std::size_t(1) << 20;
// The reading thread's room beyond that, kept for Coin to give up a read
// that the stack guard stops (see NestingGuardInput).
constexpr std::size_t kGuardBytes = std::size_t(5) << 20;
constexpr double kDefaultMaxVisits = 1e8;

// The calling thread's stack: its size, and the part of it left below the
// caller; 0 and 0 when the system does not tell.
struct StackRoom {
  std::size_t size = 0;
  std::size_t left = 0;
};

StackRoom currentStack() {
  StackRoom room;
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) != 0) return room;
  void *lowest = nullptr;
  if (pthread_attr_getstack(&attributes, &lowest, &room.size) == 0) {
    const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    const auto end = reinterpret_cast<std::uintptr_t>(lowest);
    room.left = here > end ? here - end : 0;
  } else {
    room.size = 0;
  }
  pthread_attr_destroy(&attributes);
  return room;
}

// The depth a traversal on the calling thread's stack gets through; a
// hundred levels when the system does not tell the stack's size.
int depthForCurrentStack() {
  const std::size_t size = currentStack().size;
  if (size <= kBaseBytes + 100 * kBytesPerLevel) return 100;
  return static_cast<int>(std::min<std::size_t>((size - kBaseBytes) / kBytesPerLevel, 1 << 30));
}

// Coin posts a read error over several lines ("Coin read error: ...",
// "Occurred at line 3 in ..."); the reader gives it on one.
SbString oneLine(const SbString &report) {
  std::string line;
  for (const char *c = report.getString(); *c; ++c) {
    const bool blank = *c == '\n' || *c == '\r' || *c == '\t' || *c == ' ';
    if (blank && (line.empty() || line.back() == ' ')) continue;
    line += blank ? ' ' : *c;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  const std::string lead = "Coin read error: ";
  if (line.compare(0, lead.size(), lead) == 0) line.erase(0, lead.size());
  return SbString(line.c_str());
}

// Keeps the first read error Coin posts while it lives.
class FirstReadError {
public:
  FirstReadError()
      : m_handler(SoReadError::getHandlerCallback()), m_data(SoReadError::getHandlerData()) {
    SoReadError::setHandlerCallback(keep, this);
  }
  ~FirstReadError() { SoReadError::setHandlerCallback(m_handler, m_data); }
  FirstReadError(const FirstReadError &) = delete;
  FirstReadError &operator=(const FirstReadError &) = delete;

  bool any() const { return m_any; }
  const SbString &text() const { return m_text; }

private:
  static void keep(const SoError *error, void *data) {
    auto *self = static_cast<FirstReadError *>(data);
    if (self->m_any) return;
    self->m_any = true;
    self->m_text = oneLine(error->getDebugString());
  }
  SoErrorCB *m_handler;
  void *m_data;
  bool m_any = false;
  SbString m_text;
};

SbString withNumber(const char *before, double number, const char *after) {
  SbString text(before);
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.0f", number);
  text += digits;
  text += after;
  return text;
}

void *runJob(void *data) {
  auto *job = static_cast<std::pair<const std::function<void()> *, std::exception_ptr> *>(data);
  try {
    (*job->first)();
  } catch (...) {
    job->second = std::current_exception();
  }
  return nullptr;
}

} // namespace

PoSceneReader::PoSceneReader()
    : m_maxDepth(depthForCurrentStack()), m_maxVisits(kDefaultMaxVisits), m_fault(NONE) {}

void PoSceneReader::setMaxDepth(int levels) { m_maxDepth = std::max(levels, 1); }

void PoSceneReader::setMaxVisits(double visits) { m_maxVisits = visits > 1 ? visits : 1; }

std::size_t PoSceneReader::stackBytesFor(int depth) {
  return kBaseBytes + static_cast<std::size_t>(std::max(depth, 0)) * kBytesPerLevel;
}

bool PoSceneReader::runOnStack(std::size_t stackBytes, const std::function<void()> &work) {
  std::pair<const std::function<void()> *, std::exception_ptr> job{&work, nullptr};
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  int status = pthread_attr_setstacksize(&attributes, std::max<std::size_t>(stackBytes, 1 << 16));
  pthread_t thread;
  if (status == 0) status = pthread_create(&thread, &attributes, runJob, &job);
  pthread_attr_destroy(&attributes);
  if (status != 0) return false;
  pthread_join(thread, nullptr);
  if (job.second) std::rethrow_exception(job.second);
  return true;
}

void PoSceneReader::fail(Fault fault, const SbString &message) {
  m_fault = fault;
  m_message = message;
}

SoSeparator *PoSceneReader::readFile(const char *path) {
  m_fault = NONE;
  m_message = "";
  // Coin's own open reports a failure over several lines and without the
  // system's reason.
  struct stat info;
  if (!path || ::stat(path, &info) != 0) {
    fail(CANNOT_READ, path ? std::strerror(errno) : "no file name");
    return nullptr;
  }
  if (S_ISDIR(info.st_mode)) {
    fail(CANNOT_READ, "is a directory, not a scene file");
    return nullptr;
  }
  if (std::FILE *file = std::fopen(path, "rb")) {
    std::fclose(file);
  } else {
    fail(CANNOT_READ, SbString("cannot read: ") + std::strerror(errno));
    return nullptr;
  }
  return read([path](SoInput &input) { return input.openFile(path, TRUE) != FALSE; });
}

SoSeparator *PoSceneReader::readBuffer(const void *data, std::size_t size) {
  m_fault = NONE;
  m_message = "";
  return read([data, size](SoInput &input) {
    input.setBuffer(data, size);
    return true;
  });
}

SoSeparator *PoSceneReader::read(const std::function<bool(SoInput &)> &open) {
  SoSeparator *result = nullptr;
  const auto work = [&] {
    FirstReadError readError;
    NestingGuardInput input;
    if (!open(input)) return fail(CANNOT_READ, "cannot open");
    if (!input.isValidFile())
      return fail(CANNOT_READ, "not a scene file (no '#Inventor V2.1 ascii' or '#VRML V2.0 "
                               "utf8' header)");
    SoSeparator *root = SoDB::readAll(&input);
    if (root) root->ref();
    const auto refuse = [&](Fault fault, const SbString &message) {
      if (root) root->unref();
      fail(fault, message);
    };
    if (input.ranOutOfStack())
      return refuse(TOO_DEEP, withNumber("nests deeper than ", m_maxDepth, " levels"));
    // Coin gives back what it read before a fault; the fault wins.
    if (!root || readError.any())
      return refuse(PARSE_ERROR, readError.any() ? readError.text() : SbString("no scene read"));
    const SceneShape shape = measureScene(root);
    if (shape.loops > 0)
      return refuse(HOLDS_ITSELF, "a node holds itself (a USE inside its own DEF), which no "
                                  "traversal gets out of");
    if (shape.depth > m_maxDepth)
      return refuse(TOO_DEEP, withNumber("nests ", shape.depth, " levels deep") +
                                  withNumber("; at most ", m_maxDepth, " are taken"));
    if (shape.visits > m_maxVisits)
      return refuse(TOO_MANY_VISITS,
                    withNumber("its shared nodes (USE) make one traversal visit more than ",
                               m_maxVisits, " nodes"));
    result = root;
  };
  // A thread of its own only when the caller's stack is too small for the
  // depth accepted: reading in place saves a thread for every small file.
  const std::size_t needed = stackBytesFor(m_maxDepth) + kGuardBytes;
  if (currentStack().left >= needed)
    work();
  else if (!runOnStack(needed, work))
    fail(NO_STACK, "cannot start a thread with the stack the read needs");
  return result;
}
