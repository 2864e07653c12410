#include "cli/threads.h"

#ifdef _WIN32
#include <process.h>

#include <cerrno>
#include <system_error>
#else
#include <sched.h>
#endif

namespace vexal::cli {

#ifdef _WIN32

unsigned availableCores() {
  DWORD_PTR process = 0;
  DWORD_PTR system = 0;
  unsigned count = 0;
  if (GetProcessAffinityMask(GetCurrentProcess(), &process, &system)) {
    for (; process != 0; process &= process - 1) ++count;
  }
  return count > 0 ? count : 1;
}

void Mutex::lock() { AcquireSRWLockExclusive(&lock_); }
void Mutex::unlock() { ReleaseSRWLockExclusive(&lock_); }

void ConditionVariable::wait(MutexLock& lock) {
  SleepConditionVariableSRW(&condition_, &lock.mutex().lock_, INFINITE, 0);
}
void ConditionVariable::notifyOne() { WakeConditionVariable(&condition_); }
void ConditionVariable::notifyAll() { WakeAllConditionVariable(&condition_); }

namespace {

unsigned __stdcall runBody(void* body) {
  (*static_cast<std::function<void()>*>(body))();
  return 0;
}

}  // namespace

Thread::Thread(std::function<void()> body)
    : body_(std::make_unique<std::function<void()>>(std::move(body))) {
  handle_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &runBody, body_.get(), 0, nullptr));
  if (handle_ == nullptr) {
    throw std::system_error(errno, std::generic_category(), "cannot start a thread");
  }
}

void Thread::join() {
  if (handle_ == nullptr) return;
  WaitForSingleObject(handle_, INFINITE);
  CloseHandle(handle_);
  handle_ = nullptr;
}

#else

unsigned availableCores() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0) {
    const int count = CPU_COUNT(&set);
    if (count > 0) return static_cast<unsigned>(count);
  }
  const unsigned count = std::thread::hardware_concurrency();
  return count > 0 ? count : 1;
}

void Mutex::lock() { mutex_.lock(); }
void Mutex::unlock() { mutex_.unlock(); }

void ConditionVariable::wait(MutexLock& lock) { condition_.wait(lock.mutex().mutex_); }
void ConditionVariable::notifyOne() { condition_.notify_one(); }
void ConditionVariable::notifyAll() { condition_.notify_all(); }

Thread::Thread(std::function<void()> body)
    : body_(std::make_unique<std::function<void()>>(std::move(body))),
      thread_([body = body_.get()] { (*body)(); }) {}

void Thread::join() {
  if (thread_.joinable()) thread_.join();
}

#endif

Thread::~Thread() { join(); }

}  // namespace vexal::cli
