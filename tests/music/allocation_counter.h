#pragma once

// Counts the allocations of the whole process: linking allocation_counter.cpp replaces the
// global operator new. Kept out of line so the compiler sees a plain replacement.

namespace keyloom::music_test {

long AllocationCount();

}  // namespace keyloom::music_test
