#ifndef POVIEW_WALLLINK_H
#define POVIEW_WALLLINK_H

#include <functional>
#include <list>
#include <string>
#include <vector>

// The processes of a wall, over MPI. Every wait is bounded: a rank that stops
// answering makes the others give up when the wait runs out (a user error
// naming the rank that keeps them waiting) instead of hanging the wall.
// Rank 0 leads; the others follow its messages. Rank 0 hears from every rank,
// so it is the one to name a silent rank: the others wait for rank 0 longer
// than rank 0 takes for a step and its wait together.
class WallLink {
public:
  WallLink();
  // Finalises MPI unless a wait ran out: then a rank may never get there,
  // and the process leaves without it (mpirun then ends the rest).
  ~WallLink();
  WallLink(const WallLink &) = delete;
  WallLink &operator=(const WallLink &) = delete;

  int rank() const { return m_rank; }
  int size() const { return m_size; }

  // What a follower does while it waits, e.g. keep its window painted.
  void setIdle(std::function<void()> idle) { m_idle = std::move(idle); }

  // Every rank says how it fares ("" or the cause of its failure); all answer
  // the first failure as "rank N: cause", or "" when every rank is fine.
  // The ranks meet here: a rank returns once all have told rank 0.
  std::string agree(const std::string &failure, double seconds);
  // Rank 0 sends `message` to every other rank, which answer it.
  std::string broadcast(const std::string &message, double seconds);
  // Every rank's `mine` (a short text), by rank, on every rank.
  std::vector<std::string> share(const std::string &mine, double seconds);
  // Rank 0 hands every rank's bytes (its own first, then by rank), `sizes`
  // long each, to `take`, one rank's at a time; the others send theirs.
  using TileTaker = std::function<void(int rank, const std::vector<unsigned char> &bytes)>;
  void gather(std::vector<unsigned char> mine, const std::vector<std::size_t> &sizes,
              double seconds, const TileTaker &take);

private:
  struct Pending;
  void waitFor(Pending &pending, double seconds, const char *what);
  // Rank 0: every other rank's text sent with `tag`, by rank.
  std::vector<std::string> collect(int tag, double seconds);
  void forgetDelivered();

  int m_rank = 0;
  int m_size = 1;
  bool m_abandoned = false;
  std::function<void()> m_idle;
  // Verdicts rank 0 sent without waiting for every rank to take them (one
  // that did not answer may never do so): their text outlives the sends.
  std::list<Pending> m_verdicts;
};

#endif
