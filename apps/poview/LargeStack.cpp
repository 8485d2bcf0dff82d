#include "LargeStack.h"

#include "ToolError.h"

#include <cstring>
#include <exception>
#include <pthread.h>
#include <string>

namespace {

struct Job {
  const std::function<int()> *work;
  int result;
  std::exception_ptr failure;
};

void *runJob(void *data) {
  Job *job = static_cast<Job *>(data);
  try {
    job->result = (*job->work)();
  } catch (...) {
    job->failure = std::current_exception();
  }
  return nullptr;
}

} // namespace

int runOnLargeStack(std::size_t stackBytes, const std::function<int()> &work) {
  Job job{&work, 0, nullptr};
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  int status = pthread_attr_setstacksize(&attributes, stackBytes);
  pthread_t thread;
  if (status == 0) status = pthread_create(&thread, &attributes, runJob, &job);
  pthread_attr_destroy(&attributes);
  if (status != 0)
    throw userError("cannot start a thread with a " + std::to_string(stackBytes >> 20) +
                    " MB stack: " + std::strerror(status));
  pthread_join(thread, nullptr);
  if (job.failure) std::rethrow_exception(job.failure);
  return job.result;
}

const char *currentStackEnd() {
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) != 0) return nullptr;
  void *lowest = nullptr;
  std::size_t size = 0;
  const int status = pthread_attr_getstack(&attributes, &lowest, &size);
  pthread_attr_destroy(&attributes);
  return status == 0 ? static_cast<const char *>(lowest) : nullptr;
}
