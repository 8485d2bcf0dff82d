#ifndef POVIEW_RENDERPROGRESS_H
#define POVIEW_RENDERPROGRESS_H

#include <chrono>
#include <string>

// How far a long render has come, on standard error when that is a
// terminal: "poview render: 12 of 340 tiles, 0:42 elapsed, about 19:10
// remaining", one line rewritten in place, first shown after a second and
// then a few times a second. Nothing at all when standard error is not a
// terminal (a log, a pipe, a test). The line is taken away again when the
// object goes, so that what the command says next (an error) starts clean.
class RenderProgress {
public:
  explicit RenderProgress(const std::string &command);
  ~RenderProgress();
  RenderProgress(const RenderProgress &) = delete;
  RenderProgress &operator=(const RenderProgress &) = delete;

  void update(int done, int total);

private:
  using Clock = std::chrono::steady_clock;
  std::string m_command;
  bool m_terminal;
  bool m_shown = false;
  Clock::time_point m_start;
  Clock::time_point m_lastShown;
};

// "m:ss", or "h:mm:ss" from an hour on.
std::string durationText(double seconds);

#endif
