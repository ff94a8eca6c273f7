// kombinator-bench [GROUP...]: timings of the hot paths against the straightforward reference.
// Without arguments every group runs; otherwise only the named ones (engine, funnel, reduction, cli, optimise, analysis).
#include <cstring>

#include "bench_util.h"

int main(int argc, char** argv) {
    const struct {
        const char* name;
        void (*run)();
    } groups[] = {{"engine", RunEngineBenchmarks},
                  {"funnel", RunFunnelBenchmarks},
                  {"reduction", RunReductionBenchmarks},
                  {"cli", RunCliBenchmarks},
                  {"optimise", RunOptimiseBenchmarks},
                  {"analysis", RunAnalysisBenchmarks}};
    for (const auto& group : groups) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i) wanted = wanted || std::strcmp(argv[i], group.name) == 0;
        if (wanted) group.run();
    }
    return 0;
}
