#pragma once
// Small helpers for kombinator-bench: time a callable several times, take the median and
// print one line per scenario as "NAME reference_ms=R fast_ms=F ratio=R/F".

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace kombinator::bench {

// Median wall time of `runs` calls of fn, in milliseconds.
template <class Fn>
double MedianMs(Fn&& fn, int runs) {
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        fn();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void Report(const char* name, double referenceMs, double fastMs) {
    std::printf("%s reference_ms=%.3f fast_ms=%.3f ratio=%.1f\n", name, referenceMs, fastMs,
                fastMs > 0 ? referenceMs / fastMs : 0.0);
    std::fflush(stdout);
}

// Times the straightforward reference and the fast code on the same work and reports both.
template <class Reference, class Fast>
void Compare(const char* name, Reference&& reference, Fast&& fast, int referenceRuns = 3, int fastRuns = 15) {
    const double referenceMs = MedianMs(reference, referenceRuns);
    const double fastMs = MedianMs(fast, fastRuns);
    Report(name, referenceMs, fastMs);
}

}  // namespace kombinator::bench

// The benchmark groups main() runs, one per area of the program.
void RunEngineBenchmarks();
void RunFunnelBenchmarks();
void RunReductionBenchmarks();
void RunAnalysisBenchmarks();
void RunCliBenchmarks();
void RunOptimiseBenchmarks();
