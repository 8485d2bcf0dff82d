#ifndef BRENNICQT_TESTS_ALLOCATIONCOUNTER_H
#define BRENNICQT_TESTS_ALLOCATIONCOUNTER_H

// Counts the calls of operator new (every form) made on any thread while a
// counter lives. The test binary replaces the global operator new for this.
class AllocationCounter {
public:
  AllocationCounter();
  ~AllocationCounter();
  AllocationCounter(const AllocationCounter &) = delete;
  AllocationCounter &operator=(const AllocationCounter &) = delete;

  long count() const;
};

#endif
