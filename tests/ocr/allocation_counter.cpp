// Kept in a file of its own so that the replaced operators are never inlined
// into their callers.
#include "tests/ocr/allocation_counter.h"

#include <cstdlib>
#include <new>

namespace {
size_t allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
// The no-throw form too, so every block the replaced deletes free came from
// malloc (the standard library's temporary buffers use it).
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  ++allocations;
  return std::malloc(size ? size : 1);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace capter::testing {

size_t AllocationCount() {
  return allocations;
}

}  // namespace capter::testing
