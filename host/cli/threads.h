// Threads, a mutex and a condition variable for the parallel check. The
// C++ library's own where it has them; on Windows the system's, since the
// win32 thread model of the mingw-w64 toolchain (gcc 12) has no
// std::thread.

#ifndef VEXAL_HOST_CLI_THREADS_H_
#define VEXAL_HOST_CLI_THREADS_H_

#include <functional>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#else
#include <condition_variable>
#include <mutex>
#include <thread>
#endif

namespace vexal::cli {

// The number of cores this process may run on; at least 1.
unsigned availableCores();

class ConditionVariable;

// Not recursive. Lock it with MutexLock.
class Mutex {
 public:
  Mutex() = default;
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

  void lock();
  void unlock();

 private:
  friend class ConditionVariable;
#ifdef _WIN32
  SRWLOCK lock_ = SRWLOCK_INIT;
#else
  std::mutex mutex_;
#endif
};

// Holds a mutex for its lifetime.
class MutexLock {
 public:
  explicit MutexLock(Mutex& mutex) : mutex_(mutex) { mutex_.lock(); }
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;
  ~MutexLock() { mutex_.unlock(); }

  Mutex& mutex() { return mutex_; }

 private:
  Mutex& mutex_;
};

class ConditionVariable {
 public:
  ConditionVariable() = default;
  ConditionVariable(const ConditionVariable&) = delete;
  ConditionVariable& operator=(const ConditionVariable&) = delete;

  // Releases the lock's mutex while it waits; may wake without a notify,
  // so wait in a loop over the condition.
  void wait(MutexLock& lock);
  void notifyOne();
  void notifyAll();

 private:
#ifdef _WIN32
  CONDITION_VARIABLE condition_ = CONDITION_VARIABLE_INIT;
#else
  std::condition_variable_any condition_;
#endif
};

// Runs a function on a thread of its own; join() waits for its end (the
// destructor joins too). Owns the thread.
class Thread {
 public:
  explicit Thread(std::function<void()> body);
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;
  ~Thread();

  void join();

 private:
  std::unique_ptr<std::function<void()>> body_;
#ifdef _WIN32
  HANDLE handle_ = nullptr;
#else
  std::thread thread_;
#endif
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_THREADS_H_
