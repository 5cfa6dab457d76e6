// Counts every allocation of the test program (the global operator new is
// replaced in allocation_counter.cpp), to check that a routine allocates
// nothing.
#pragma once

#include <cstddef>

namespace capter::testing {

size_t AllocationCount();

}  // namespace capter::testing
