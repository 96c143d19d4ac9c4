#pragma once
// Two pieces of work timed against each other in the same run: blocks of
// each, alternating, and the best block of each kept, so that a burst of
// load from other processes weighs on neither side more than the other.
// Times are the thread's CPU time, which a busy machine disturbs far less
// than the wall clock.
#include <benchmark/benchmark.h>
#include <algorithm>
#include <ctime>

namespace vux_bench {

struct pair_seconds {
    double work = 0;       // seconds per call of the work
    double reference = 0;  // seconds per call of the reference
    // How many times longer the work takes than the reference.
    double times() const { return reference > 0 ? work / reference : 0; }
};

inline double thread_seconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

template <class Work, class Reference>
pair_seconds best_of_alternating(Work work, Reference reference, int blocks = 7, int rounds = 5) {
    auto time_block = [rounds](auto& body) {
        const double start = thread_seconds();
        for (int i = 0; i < rounds; ++i) {
            body();
            benchmark::ClobberMemory();
        }
        return (thread_seconds() - start) / rounds;
    };
    work();  // warm caches and allocators on both sides
    reference();
    pair_seconds best{1e30, 1e30};
    for (int b = 0; b < blocks; ++b) {
        best.work = std::min(best.work, time_block(work));
        best.reference = std::min(best.reference, time_block(reference));
    }
    return best;
}

}  // namespace vux_bench
