#include "WallLink.h"

#include "ToolError.h"

#include <mpi.h>

#include <chrono>
#include <cstdio>
#include <iterator>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#define POVIEW_LEAK_CHECKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define POVIEW_LEAK_CHECKS 1
#endif
#endif
#ifdef POVIEW_LEAK_CHECKS
#include <dlfcn.h>
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// Open MPI keeps much of what MPI_Init sets up past MPI_Finalize, in
// components it loads and unloads again, where LeakSanitizer cannot even name
// the code. Those allocations are the platform's, not this program's.
class PlatformAllocations {
public:
  PlatformAllocations() {
#ifdef POVIEW_LEAK_CHECKS
    __lsan_disable();
#endif
  }
  ~PlatformAllocations() {
#ifdef POVIEW_LEAK_CHECKS
    __lsan_enable();
#endif
  }
  PlatformAllocations(const PlatformAllocations &) = delete;
  PlatformAllocations &operator=(const PlatformAllocations &) = delete;

  // PMIx allocates on a thread of its own when ranks first meet, and is
  // unloaded at MPI_Finalize; kept loaded, it has a name to be suppressed by.
  static void keepPmixNamed() {
#ifdef POVIEW_LEAK_CHECKS
    dlopen("libpmix.so.2", RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
#endif
  }
};

enum Tag { StatusTag = 1, VerdictTag, MessageTag, TileTag, ShareTag, SharedTag };
// Statuses and camera messages are short lines of text.
constexpr int kMaxText = 1 << 16;

std::string text(const std::vector<char> &buffer, const MPI_Status &status) {
  int count = 0;
  MPI_Get_count(&status, MPI_CHAR, &count);
  return std::string(buffer.data(), std::size_t(count > 0 ? count : 0));
}

// How long the others wait for rank 0: its own step may take `limit` before
// it starts its wait of `limit` for the others.
double followerLimit(double limit) { return 2 * limit + 5; }

std::string seconds(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", value);
  return buffer;
}

} // namespace

// Requests in flight and the rank each one waits on.
struct WallLink::Pending {
  std::vector<MPI_Request> requests;
  std::vector<int> peers;
  std::vector<MPI_Status> statuses;
  std::string text; // what the requests send, where it must outlive the call

  void add(MPI_Request request, int peer) {
    requests.push_back(request);
    peers.push_back(peer);
  }
};

WallLink::WallLink() {
  int initialised = 0;
  MPI_Initialized(&initialised);
  if (!initialised) {
    const PlatformAllocations platform;
    MPI_Init(nullptr, nullptr);
    PlatformAllocations::keepPmixNamed();
  }
  MPI_Comm_rank(MPI_COMM_WORLD, &m_rank);
  MPI_Comm_size(MPI_COMM_WORLD, &m_size);
}

WallLink::~WallLink() {
  if (m_abandoned) return;
  // Every rank answered, so every rank takes its verdicts; MPI_Finalize
  // completes the sends, before their text goes.
  for (Pending &sent : m_verdicts)
    for (MPI_Request &request : sent.requests)
      if (request != MPI_REQUEST_NULL) MPI_Request_free(&request);
  const PlatformAllocations platform;
  MPI_Finalize();
}

void WallLink::forgetDelivered() {
  for (auto sent = m_verdicts.begin(); sent != m_verdicts.end();) {
    int done = 0;
    MPI_Testall(int(sent->requests.size()), sent->requests.data(), &done, MPI_STATUSES_IGNORE);
    sent = done ? m_verdicts.erase(sent) : std::next(sent);
  }
}

void WallLink::waitFor(Pending &pending, double limit, const char *what) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(limit);
  pending.statuses.resize(pending.requests.size());
  for (;;) {
    // One request at a time: MPI_Testall completes none of them before all
    // are done, and the ranks that did answer would be named with the silent.
    bool done = true;
    for (std::size_t i = 0; i < pending.requests.size(); ++i) {
      if (pending.requests[i] == MPI_REQUEST_NULL) continue;
      int complete = 0;
      MPI_Test(&pending.requests[i], &complete, &pending.statuses[i]);
      done = done && complete;
    }
    if (done) return;
    if (std::chrono::steady_clock::now() > deadline) break;
    if (m_idle) m_idle();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::string silent;
  for (std::size_t i = 0; i < pending.requests.size(); ++i) {
    if (pending.requests[i] == MPI_REQUEST_NULL) continue;
    silent += (silent.empty() ? "" : ", ") + std::to_string(pending.peers[i]);
  }
  m_abandoned = true;
  throw userError("rank " + std::to_string(m_rank) + ": no " + what + " from rank " + silent +
                  " within " + seconds(limit) + " s");
}

std::string WallLink::agree(const std::string &failure, double limit) {
  std::string verdict;
  if (m_rank == 0) {
    // The first character of the verdict tells the others whether every
    // rank answered: if not, none of them may wait for it in MPI_Finalize.
    char everyoneAnswered = '1';
    try {
      const std::vector<std::string> said = collect(StatusTag, limit);
      if (!failure.empty()) verdict = "rank 0: " + failure;
      for (int peer = 1; peer < m_size && verdict.empty(); ++peer)
        if (!said[std::size_t(peer)].empty())
          verdict = "rank " + std::to_string(peer) + ": " + said[std::size_t(peer)];
    } catch (const ToolError &error) {
      // The ranks that did answer still learn why the wall ends.
      everyoneAnswered = '0';
      verdict = error.what();
    }
    forgetDelivered();
    m_verdicts.emplace_back();
    Pending &sending = m_verdicts.back();
    sending.text = (everyoneAnswered + verdict).substr(0, kMaxText);
    for (int peer = 1; peer < m_size; ++peer) {
      MPI_Request request;
      MPI_Isend(sending.text.data(), int(sending.text.size()), MPI_CHAR, peer, VerdictTag,
                MPI_COMM_WORLD, &request);
      sending.add(request, peer);
    }
    return verdict;
  }
  const std::string said = failure.substr(0, kMaxText);
  std::vector<char> buffer(kMaxText);
  Pending pending;
  MPI_Request request;
  MPI_Isend(said.data(), int(said.size()), MPI_CHAR, 0, StatusTag, MPI_COMM_WORLD, &request);
  pending.add(request, 0);
  MPI_Irecv(buffer.data(), kMaxText, MPI_CHAR, 0, VerdictTag, MPI_COMM_WORLD, &request);
  pending.add(request, 0);
  waitFor(pending, followerLimit(limit), "verdict");
  const std::string message = text(buffer, pending.statuses[1]);
  if (message.empty()) return message;
  if (message[0] != '1') m_abandoned = true;
  return message.substr(1);
}

std::vector<std::string> WallLink::collect(int tag, double limit) {
  const std::size_t ranks = static_cast<std::size_t>(m_size);
  std::vector<std::vector<char>> buffers(ranks, std::vector<char>(kMaxText));
  Pending pending;
  for (int peer = 1; peer < m_size; ++peer) {
    MPI_Request request;
    MPI_Irecv(buffers[std::size_t(peer)].data(), kMaxText, MPI_CHAR, peer, tag, MPI_COMM_WORLD,
              &request);
    pending.add(request, peer);
  }
  waitFor(pending, limit, "answer");
  std::vector<std::string> texts(ranks);
  for (int peer = 1; peer < m_size; ++peer)
    texts[std::size_t(peer)] =
        text(buffers[std::size_t(peer)], pending.statuses[std::size_t(peer - 1)]);
  return texts;
}

std::vector<std::string> WallLink::share(const std::string &mine, double limit) {
  const std::string said = mine.substr(0, kMaxText / std::size_t(m_size) - 1);
  Pending pending;
  MPI_Request request;
  if (m_rank == 0) {
    std::vector<std::string> texts = collect(ShareTag, limit);
    texts[0] = said;
    // Each text ends with a zero byte; none holds one.
    for (const std::string &each : texts) pending.text.append(each.c_str(), each.size() + 1);
    for (int peer = 1; peer < m_size; ++peer) {
      MPI_Isend(pending.text.data(), int(pending.text.size()), MPI_CHAR, peer, SharedTag,
                MPI_COMM_WORLD, &request);
      pending.add(request, peer);
    }
    waitFor(pending, limit, "receipt");
    return texts;
  }
  std::vector<char> buffer(kMaxText);
  MPI_Isend(said.data(), int(said.size()), MPI_CHAR, 0, ShareTag, MPI_COMM_WORLD, &request);
  pending.add(request, 0);
  MPI_Irecv(buffer.data(), kMaxText, MPI_CHAR, 0, SharedTag, MPI_COMM_WORLD, &request);
  pending.add(request, 0);
  waitFor(pending, followerLimit(limit), "answer");
  const std::string joined = text(buffer, pending.statuses[1]);
  std::vector<std::string> texts;
  for (std::size_t start = 0; start < joined.size();) {
    texts.emplace_back(joined.c_str() + start);
    start += texts.back().size() + 1;
  }
  texts.resize(std::size_t(m_size));
  return texts;
}

std::string WallLink::broadcast(const std::string &message, double limit) {
  Pending pending;
  MPI_Request request;
  if (m_rank == 0) {
    for (int peer = 1; peer < m_size; ++peer) {
      MPI_Isend(message.data(), int(message.size()), MPI_CHAR, peer, MessageTag, MPI_COMM_WORLD,
                &request);
      pending.add(request, peer);
    }
    waitFor(pending, limit, "receipt");
    return message;
  }
  std::vector<char> buffer(kMaxText);
  MPI_Irecv(buffer.data(), kMaxText, MPI_CHAR, 0, MessageTag, MPI_COMM_WORLD, &request);
  pending.add(request, 0);
  waitFor(pending, limit, "message");
  return text(buffer, pending.statuses[0]);
}

void WallLink::gather(std::vector<unsigned char> mine, const std::vector<std::size_t> &sizes,
                      double limit, const TileTaker &take) {
  MPI_Request request;
  if (m_rank != 0) {
    Pending pending;
    MPI_Isend(mine.data(), int(mine.size()), MPI_UNSIGNED_CHAR, 0, TileTag, MPI_COMM_WORLD,
              &request);
    pending.add(request, 0);
    waitFor(pending, followerLimit(limit), "receipt of the tile");
    return;
  }
  take(0, mine);
  // One tile at a time into one buffer: rank 0 holds the picture and a tile,
  // not every tile besides the picture.
  std::vector<unsigned char> tile(std::move(mine));
  for (int peer = 1; peer < m_size; ++peer) {
    Pending pending;
    tile.resize(sizes[std::size_t(peer)]);
    MPI_Irecv(tile.data(), int(tile.size()), MPI_UNSIGNED_CHAR, peer, TileTag, MPI_COMM_WORLD,
              &request);
    pending.add(request, peer);
    waitFor(pending, limit, "tile");
    take(peer, tile);
  }
}
