#include "RenderProgress.h"

#include <cstdio>
#include <unistd.h>

namespace {

constexpr double kFirstShownSeconds = 1.0;
constexpr double kShownEverySeconds = 0.25;

double secondsBetween(std::chrono::steady_clock::time_point from,
                      std::chrono::steady_clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

} // namespace

std::string durationText(double seconds) {
  const long whole = seconds > 0.0 ? long(seconds + 0.5) : 0;
  char text[32];
  if (whole >= 3600)
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
  else
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
  return text;
}

RenderProgress::RenderProgress(const std::string &command)
    : m_command(command), m_terminal(::isatty(STDERR_FILENO) == 1), m_start(Clock::now()),
      m_lastShown(m_start) {}

RenderProgress::~RenderProgress() {
  if (m_shown) std::fputs("\r\033[K", stderr);
}

void RenderProgress::update(int done, int total) {
  if (!m_terminal || total < 1) return;
  const Clock::time_point now = Clock::now();
  const double elapsed = secondsBetween(m_start, now);
  if (elapsed < kFirstShownSeconds || secondsBetween(m_lastShown, now) < kShownEverySeconds)
    return;
  m_lastShown = now;
  m_shown = true;
  std::string line = m_command + ": " + std::to_string(done) + " of " + std::to_string(total) +
                     " tiles, " + durationText(elapsed) + " elapsed";
  if (done > 0 && done < total)
    line += ", about " + durationText(elapsed * (total - done) / done) + " remaining";
  std::fprintf(stderr, "\r\033[K%s", line.c_str());
  std::fflush(stderr);
}
