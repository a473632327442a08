#include "heating/curves/CurveRegistryLock.h"

#include <cstdlib>

namespace {

// A lock that cannot be taken leaves the model unguarded: no way on.
void check(int result) {
  if (result != 0) std::abort();
}

}  // namespace

CurveRegistryLock::CurveRegistryLock() {
  pthread_rwlockattr_t attributes;
  check(pthread_rwlockattr_init(&attributes));
  // Writers first: the default lets a stream of readers starve a writer.
  check(pthread_rwlockattr_setkind_np(&attributes, PTHREAD_RWLOCK_PREFER_WRITER_NONRECURSIVE_NP));
  check(pthread_rwlock_init(&lock_, &attributes));
  pthread_rwlockattr_destroy(&attributes);
}

CurveRegistryLock::~CurveRegistryLock() { pthread_rwlock_destroy(&lock_); }

void CurveRegistryLock::lock() { check(pthread_rwlock_wrlock(&lock_)); }
void CurveRegistryLock::unlock() { check(pthread_rwlock_unlock(&lock_)); }
void CurveRegistryLock::lock_shared() { check(pthread_rwlock_rdlock(&lock_)); }
void CurveRegistryLock::unlock_shared() { check(pthread_rwlock_unlock(&lock_)); }

CurveRegistryLock& curveRegistryLock() {
  // Built on first use, never destroyed: curves made during static
  // initialisation or destroyed during static destruction still find it.
  static CurveRegistryLock* lock = new CurveRegistryLock;
  return *lock;
}
