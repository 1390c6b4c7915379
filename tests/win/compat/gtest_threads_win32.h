#pragma once
// The product is built with MinGW's win32 thread model, which in GCC 12 has neither
// std::mutex nor std::condition_variable. GoogleTest wants both for one helper class of its
// own, so the test programs get these stand-ins on Windows' own locks. Forced into the
// GoogleTest sources and the Windows-side tests only; the product never sees them.
#if !defined(_WIN32_WINNT)
#define _WIN32_WINNT 0x0601
#endif
#include <windows.h>

#include <condition_variable>
#include <mutex>

#if !defined(_GLIBCXX_HAS_GTHREADS)
namespace std {

class mutex {
 public:
  mutex() { InitializeSRWLock(&lock_); }
  mutex(const mutex&) = delete;
  mutex& operator=(const mutex&) = delete;
  void lock() { AcquireSRWLockExclusive(&lock_); }
  bool try_lock() { return TryAcquireSRWLockExclusive(&lock_) != 0; }
  void unlock() { ReleaseSRWLockExclusive(&lock_); }
  SRWLOCK* native_handle() { return &lock_; }

 private:
  SRWLOCK lock_;
};

class condition_variable {
 public:
  condition_variable() { InitializeConditionVariable(&variable_); }
  condition_variable(const condition_variable&) = delete;
  condition_variable& operator=(const condition_variable&) = delete;
  void notify_one() { WakeConditionVariable(&variable_); }
  void notify_all() { WakeAllConditionVariable(&variable_); }
  void wait(unique_lock<mutex>& lock) {
    SleepConditionVariableSRW(&variable_, lock.mutex()->native_handle(), INFINITE, 0);
  }
  template <typename Predicate>
  void wait(unique_lock<mutex>& lock, Predicate ready) {
    while (!ready()) wait(lock);
  }

 private:
  CONDITION_VARIABLE variable_;
};

}  // namespace std
#endif
