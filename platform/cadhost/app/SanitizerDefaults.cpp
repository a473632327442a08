// The AddressSanitizer defaults of the cadhost executable (a sanitizer build
// only; ASAN_OPTIONS still adds to and overrides them).
//
// intercept_tls_get_addr=0: the runtime of GCC up to 13 takes a dynamic TLS
// block whose address is 16 past a page boundary for a glibc 2.19 block with
// a header, and reads the two words before it as the block's range. Since
// glibc 2.25 there is no such header; the blocks of the module cadhost loads
// (its thread_local state, allocated with malloc on a thread's first use)
// land there by chance, the allocations before them deciding (the length of
// a log path is enough), and the leak check at exit then scans a range that
// is none and its tracer dies ("Tracer caught signal 11"). Without the
// interception the leak check does not scan dynamic TLS blocks at all: a
// block that alone held a pointer would make its object count as leaked, so
// the check gets stricter, never blind.
#if defined(__SANITIZE_ADDRESS__)
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
  return "intercept_tls_get_addr=0";
}
#endif
