#ifndef BRENNICQT_CLASSMUTEX_H
#define BRENNICQT_CLASSMUTEX_H

// Part of BrennicQt's inside: installed only because a public header needs
// it. Applications do not include it themselves.

#include <Inventor/threads/SbThreadMutex.h>

// A class-registration mutex. Constructors call initClass while they already
// hold it, so it must let the holder lock it again: Coin's SbThreadMutex is a
// recursive mutex.
class ClassMutex : public SbThreadMutex {
public:
  ClassMutex() = default;
  ~ClassMutex() { if (s_destroyHook) s_destroyHook(this); }

  // Lets a test watch the order in which the class mutexes go at unload.
  using DestroyHook = void (*)(const ClassMutex *);
  static DestroyHook s_destroyHook;
};

// Holds a ClassMutex for one scope.
class ClassMutexLock {
public:
  explicit ClassMutexLock(ClassMutex &mutex) : m_mutex(mutex) { m_mutex.lock(); }
  ~ClassMutexLock() { m_mutex.unlock(); }
  ClassMutexLock(const ClassMutexLock &) = delete;
  ClassMutexLock &operator=(const ClassMutexLock &) = delete;

private:
  ClassMutex &m_mutex;
};

#endif
