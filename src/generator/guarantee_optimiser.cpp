#include "generator/guarantee_optimiser.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <memory>
#include <mutex>
#include <queue>
#include <thread>

#include "generator/coverage_bitmaps.h"

namespace kombinator {

namespace {

using Clock = std::chrono::steady_clock;

// Candidates grouped, for every set of L Positions, by their scores on those Positions: the
// candidates that agree with candidate i in at least L Positions are the union of i's buckets.
class Buckets {
public:
    Buckets(std::span<const std::uint32_t> canonical, int level) : n_(canonical.size()) {
        std::vector<std::uint64_t> keyed(n_);
        for (unsigned mask = 0; mask < 64; ++mask) {
            if (std::popcount(mask) != level) continue;
            const std::size_t s = static_cast<std::size_t>(subsets_++);
            bucketOf_.resize(bucketOf_.size() + n_);
            for (std::size_t i = 0; i < n_; ++i) {
                std::uint64_t key = 0;
                for (int p = 0; p < PositionCount; ++p)
                    if (mask & (1u << p)) key = (key << 4) | ((canonical[i] >> (4 * (PositionCount - 1 - p))) & 15u);
                keyed[i] = key << 32 | i;
            }
            std::sort(keyed.begin(), keyed.end());
            for (std::size_t k = 0; k < n_; ++k) {
                if (k == 0 || keyed[k] >> 32 != keyed[k - 1] >> 32)
                    start_.push_back(static_cast<std::uint32_t>(items_.size()));
                const auto i = static_cast<std::uint32_t>(keyed[k]);
                bucketOf_[s * n_ + i] = static_cast<std::uint32_t>(start_.size() - 1);
                items_.push_back(i);
            }
        }
        start_.push_back(static_cast<std::uint32_t>(items_.size()));
    }

    int Subsets() const { return subsets_; }
    // Members of candidate i's bucket on subset s (i itself among them).
    std::span<const std::uint32_t> Bucket(int s, std::uint32_t i) const {
        const std::uint32_t b = bucketOf_[static_cast<std::size_t>(s) * n_ + i];
        return {items_.data() + start_[b], items_.data() + start_[b + 1]};
    }

private:
    std::size_t n_;
    int subsets_ = 0;
    std::vector<std::uint32_t> bucketOf_;  // subsets x n: the bucket of each candidate on each subset
    std::vector<std::uint32_t> start_;     // first item of every bucket, and the end
    std::vector<std::uint32_t> items_;
};

// Visits each candidate that agrees with i in >= L Positions once, i itself too.
class NeighbourWalker {
public:
    explicit NeighbourWalker(std::size_t n) : stamp_(n, 0) {}

    template <class F>
    void Visit(const Buckets& buckets, std::uint32_t i, F&& f) {
        if (++now_ == 0) {
            std::fill(stamp_.begin(), stamp_.end(), 0);
            now_ = 1;
        }
        for (int s = 0; s < buckets.Subsets(); ++s)
            for (const std::uint32_t j : buckets.Bucket(s, i))
                if (stamp_[j] != now_) {
                    stamp_[j] = now_;
                    f(j);
                }
    }

private:
    std::vector<std::uint32_t> stamp_;
    std::uint32_t now_ = 0;
};

struct Random {
    std::uint64_t state;
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    std::uint32_t Below(std::size_t n) {
        return static_cast<std::uint32_t>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
    }
};

// The guarantee reduction's first-fit scan, in the candidates' own order.
std::vector<std::uint32_t> FirstFit(std::span<const std::uint32_t> candidates, int level) {
    std::vector<std::uint32_t> members{candidates[0]};
    CoverageBitmaps coverage(level);
    coverage.Add(candidates[0]);
    for (const std::uint32_t c : candidates.subspan(1)) {
        if (coverage.Covers(c)) continue;
        coverage.Add(c);
        members.push_back(c);
    }
    return members;
}

// Max-coverage greedy over candidate numbers, gains kept lazily in a heap: a popped gain that is
// stale is recomputed and pushed back, which is sound because gains only shrink. Empty when stopped.
std::vector<std::uint32_t> Greedy(const Buckets& buckets, std::size_t n, const std::atomic<bool>* stop) {
    NeighbourWalker walker(n);
    std::vector<std::uint8_t> covered(n, 0);
    // Largest gain first, then the lowest candidate number.
    auto entry = [](std::uint32_t gain, std::uint32_t i) { return std::uint64_t{gain} << 32 | ~i; };
    std::vector<std::uint64_t> heap;
    heap.reserve(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        std::uint32_t gain = 0;
        walker.Visit(buckets, i, [&](std::uint32_t) { ++gain; });
        heap.push_back(entry(gain, i));
    }
    std::priority_queue<std::uint64_t> queue(std::less<std::uint64_t>(), std::move(heap));
    std::vector<std::uint32_t> chosen;
    std::size_t uncovered = n;
    std::uint32_t pops = 0;
    while (uncovered > 0 && !queue.empty()) {
        if ((++pops & 255u) == 0 && stop && stop->load(std::memory_order_relaxed)) return {};
        const std::uint64_t top = queue.top();
        queue.pop();
        const std::uint32_t i = ~static_cast<std::uint32_t>(top);
        const auto stored = static_cast<std::uint32_t>(top >> 32);
        std::uint32_t gain = 0;
        walker.Visit(buckets, i, [&](std::uint32_t j) { gain += covered[j] ? 0u : 1u; });
        if (gain != stored) {
            if (gain > 0) queue.push(entry(gain, i));
            continue;
        }
        chosen.push_back(i);
        walker.Visit(buckets, i, [&](std::uint32_t j) {
            if (!covered[j]) {
                covered[j] = 1;
                --uncovered;
            }
        });
    }
    return chosen;
}

// Local search on a fixed number of lines that minimises the uncovered candidates; whenever none is
// left the system is recorded and the line that covers fewest candidates alone is taken away. A move
// takes a line out and puts in a candidate that covers a chosen uncovered one and agrees with the
// line in five Positions (the one-score change of the covering-code literature), with exact gains;
// recently removed candidates may not return for a few moves. A search stuck at one size goes back
// to its best system and takes away a random line instead.
class TabuSearch {
public:
    TabuSearch(const Buckets& cover, const Buckets& near, std::size_t n, std::uint64_t seed)
        : cover_(cover), near_(near), walker_(n), random_{seed}, count_(n, 0), soleLine_(n, 0), loss_(n, 0),
          codePos_(n, -1), uncoveredPos_(n, -1), tabuUntil_(n, 0) {
        uncovered_.reserve(n);
        for (std::uint32_t i = 0; i < n; ++i) MarkUncovered(i);
    }

    void Start(const std::vector<std::uint32_t>& lines) {
        for (const std::uint32_t l : lines) Add(l);
        best_ = code_;
    }

    const std::vector<std::uint32_t>& Best() const { return best_; }

    void Run(std::uint64_t maxIterations, Clock::time_point deadline, const std::atomic<bool>* stop,
             std::atomic<std::int32_t>& sharedBest) {
        std::size_t bestUncovered = 0;
        std::uint64_t iteration = 0;
        std::uint64_t lastLow = 0;  // the move that last reached a new low of uncovered candidates
        for (;;) {
            if (uncovered_.empty()) {
                if (code_.size() < best_.size()) {
                    best_ = code_;
                    std::int32_t seen = sharedBest.load();
                    const auto size = static_cast<std::int32_t>(best_.size());
                    while (size < seen && !sharedBest.compare_exchange_weak(seen, size)) {
                    }
                }
                if (code_.size() <= 1) return;
                RemoveWeakestLine();
                bestUncovered = uncovered_.size();
                lastLow = iteration;
                continue;
            }
            if (maxIterations != 0 && iteration >= maxIterations) return;
            if ((iteration & 15u) == 0 &&
                ((stop && stop->load(std::memory_order_relaxed)) || Clock::now() >= deadline))
                return;
            ++iteration;
            Step(iteration, bestUncovered);
            if (uncovered_.size() < bestUncovered) {
                bestUncovered = uncovered_.size();
                lastLow = iteration;
            } else if (iteration - lastLow > 2000 + 20 * code_.size()) {
                // Stuck at this size: back to the best system and take away another line.
                RestartFromBest();
                bestUncovered = uncovered_.size();
                lastLow = iteration;
            }
        }
    }

private:
    void MarkUncovered(std::uint32_t y) {
        uncoveredPos_[y] = static_cast<std::int32_t>(uncovered_.size());
        uncovered_.push_back(y);
    }
    void MarkCovered(std::uint32_t y) {
        const auto at = static_cast<std::size_t>(uncoveredPos_[y]);
        uncovered_[at] = uncovered_.back();
        uncoveredPos_[uncovered_[at]] = static_cast<std::int32_t>(at);
        uncovered_.pop_back();
        uncoveredPos_[y] = -1;
    }

    void Add(std::uint32_t c) {
        codePos_[c] = static_cast<std::int32_t>(code_.size());
        code_.push_back(c);
        loss_[c] = 0;
        walker_.Visit(cover_, c, [&](std::uint32_t y) {
            soleLine_[y] ^= c;
            if (++count_[y] == 1) {
                MarkCovered(y);
                ++loss_[c];
            } else if (count_[y] == 2) {
                --loss_[soleLine_[y] ^ c];
            }
        });
    }

    void Remove(std::uint32_t l) {
        const auto at = static_cast<std::size_t>(codePos_[l]);
        code_[at] = code_.back();
        codePos_[code_[at]] = static_cast<std::int32_t>(at);
        code_.pop_back();
        codePos_[l] = -1;
        walker_.Visit(cover_, l, [&](std::uint32_t y) {
            soleLine_[y] ^= l;
            if (--count_[y] == 0)
                MarkUncovered(y);
            else if (count_[y] == 1)
                ++loss_[soleLine_[y]];
        });
    }

    void RestartFromBest() {
        while (!code_.empty()) Remove(code_.back());
        for (const std::uint32_t l : best_) Add(l);
        Remove(code_[random_.Below(code_.size())]);
    }

    void RemoveWeakestLine() {
        std::uint32_t chosen = code_[0];
        std::int32_t fewest = std::numeric_limits<std::int32_t>::max();
        std::uint32_t ties = 0;
        for (const std::uint32_t l : code_) {
            if (loss_[l] < fewest) {
                fewest = loss_[l];
                chosen = l;
                ties = 1;
            } else if (loss_[l] == fewest && random_.Below(++ties) == 0) {
                chosen = l;
            }
        }
        Remove(chosen);
    }

    // Change of the number of uncovered candidates when lines_[k] leaves and c comes in, for every k.
    void Evaluate(std::uint32_t c) {
        deltas_.assign(lines_.size(), 0);
        std::int32_t gained = 0;
        walker_.Visit(cover_, c, [&](std::uint32_t y) {
            if (count_[y] == 0) {
                ++gained;
            } else if (count_[y] == 1) {
                for (std::size_t k = 0; k < lines_.size(); ++k)
                    if (lines_[k] == soleLine_[y]) --deltas_[k];
            }
        });
        for (std::size_t k = 0; k < lines_.size(); ++k) deltas_[k] += loss_[lines_[k]] - gained;
    }

    void Step(std::uint64_t iteration, std::size_t bestUncovered) {
        const std::uint32_t u = uncovered_[random_.Below(uncovered_.size())];
        entering_.clear();
        walker_.Visit(cover_, u, [&](std::uint32_t c) {
            if (codePos_[c] < 0) entering_.push_back(c);
        });
        std::int32_t bestDelta = std::numeric_limits<std::int32_t>::max();
        std::uint32_t outLine = 0, inLine = 0, ties = 0;
        const auto uncovered = static_cast<std::int64_t>(uncovered_.size());
        for (const std::uint32_t c : entering_) {
            lines_.clear();
            // A line agreeing with c in five Positions lies in exactly one of c's buckets.
            for (int s = 0; s < near_.Subsets(); ++s)
                for (const std::uint32_t l : near_.Bucket(s, c))
                    if (l != c && codePos_[l] >= 0) lines_.push_back(l);
            if (lines_.empty()) continue;
            Evaluate(c);
            const bool tabu = tabuUntil_[c] > iteration;
            for (std::size_t k = 0; k < lines_.size(); ++k) {
                const std::int32_t d = deltas_[k];
                if (tabu && uncovered + d >= static_cast<std::int64_t>(bestUncovered)) continue;
                if (d < bestDelta) {
                    bestDelta = d;
                    outLine = lines_[k];
                    inLine = c;
                    ties = 1;
                } else if (d == bestDelta && random_.Below(++ties) == 0) {
                    outLine = lines_[k];
                    inLine = c;
                }
            }
        }
        if (ties == 0) {
            // No line near enough: a candidate covering u replaces the best of a few random lines.
            inLine = entering_[random_.Below(entering_.size())];
            lines_.clear();
            for (int k = 0; k < 4; ++k) lines_.push_back(code_[random_.Below(code_.size())]);
            Evaluate(inLine);
            const auto k = static_cast<std::size_t>(std::min_element(deltas_.begin(), deltas_.end()) - deltas_.begin());
            outLine = lines_[k];
        }
        Remove(outLine);
        Add(inLine);
        tabuUntil_[outLine] = iteration + Tenure();
    }

    std::uint64_t Tenure() { return 1 + random_.Below(std::min<std::size_t>(10, 1 + code_.size() / 8)); }

    const Buckets& cover_;
    const Buckets& near_;
    NeighbourWalker walker_;
    Random random_;
    std::vector<std::uint16_t> count_;      // lines covering each candidate
    std::vector<std::uint32_t> soleLine_;   // xor of those lines: the line itself when count_ is 1
    std::vector<std::int32_t> loss_;        // of a line: the candidates only it covers
    std::vector<std::int32_t> codePos_;     // place in code_, or -1
    std::vector<std::int32_t> uncoveredPos_;
    std::vector<std::uint64_t> tabuUntil_;
    std::vector<std::uint32_t> code_;
    std::vector<std::uint32_t> uncovered_;
    std::vector<std::uint32_t> best_;
    std::vector<std::uint32_t> entering_;
    std::vector<std::uint32_t> lines_;
    std::vector<std::int32_t> deltas_;
};

std::vector<std::uint32_t> Sorted(std::vector<std::uint32_t> v) {
    std::sort(v.begin(), v.end());
    return v;
}

}  // namespace

std::vector<std::uint32_t> MaxCoverageGreedy(std::span<const std::uint32_t> candidates, int level) {
    std::vector<std::uint32_t> sorted = Sorted({candidates.begin(), candidates.end()});
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    if (level >= PositionCount || sorted.size() <= 1) return sorted;
    const Buckets buckets(sorted, level);
    std::vector<std::uint32_t> members;
    for (const std::uint32_t i : Greedy(buckets, sorted.size(), nullptr)) members.push_back(sorted[i]);
    return Sorted(std::move(members));
}

std::vector<std::uint32_t> OptimiseGuaranteeSystem(std::span<const std::uint32_t> candidates, int level,
                                                   const OptimiseBudget& budget, std::uint64_t seed,
                                                   const OptimiseProgress& progress,
                                                   const std::atomic<bool>* stop) {
    const Clock::time_point started = Clock::now();
    auto secondsUsed = [&] { return std::chrono::duration<double>(Clock::now() - started).count(); };
    const Clock::time_point deadline =
        budget.seconds > 0 ? started + std::chrono::duration_cast<Clock::duration>(
                                           std::chrono::duration<double>(budget.seconds))
                           : Clock::time_point::max();
    std::vector<std::uint32_t> sorted = Sorted({candidates.begin(), candidates.end()});
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    if (level >= PositionCount || sorted.size() <= 1) {
        if (progress) progress(static_cast<std::int32_t>(sorted.size()), secondsUsed());
        return sorted;
    }

    // The documented scan is the bound and the answer whenever the run is stopped before the greedy ends.
    std::vector<std::uint32_t> firstFit = FirstFit(candidates, level);
    if (progress) progress(static_cast<std::int32_t>(firstFit.size()), secondsUsed());
    const std::size_t n = sorted.size();
    const Buckets cover(sorted, level);
    const std::vector<std::uint32_t> greedy = Greedy(cover, n, stop);
    if (greedy.empty()) return Sorted(std::move(firstFit));
    std::vector<std::uint32_t> start = greedy;
    if (firstFit.size() < greedy.size()) {
        start.clear();
        for (const std::uint32_t c : firstFit)
            start.push_back(static_cast<std::uint32_t>(std::lower_bound(sorted.begin(), sorted.end(), c) - sorted.begin()));
    }

    std::atomic<std::int32_t> sharedBest{static_cast<std::int32_t>(start.size())};
    if (progress) progress(sharedBest.load(), secondsUsed());
    const bool stopped = (stop && stop->load()) || Clock::now() >= deadline;
    std::vector<std::uint32_t> best = start;
    if (!stopped && start.size() > 1) {
        const Buckets nearOwn(level == 5 ? std::span<const std::uint32_t>{} : std::span<const std::uint32_t>(sorted), 5);
        const Buckets& near = level == 5 ? cover : nearOwn;
        const int threads =
            budget.threads > 0 ? budget.threads : std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 2);
        std::vector<std::unique_ptr<TabuSearch>> searches;
        Random seeds{seed};
        for (int t = 0; t < threads; ++t) {
            searches.push_back(std::make_unique<TabuSearch>(cover, near, n, seeds.Next()));
            // The scan's system can be too regular to shrink; a second search then starts from the greedy's.
            searches.back()->Start(t % 2 == 1 ? greedy : start);
        }
        std::mutex mutex;
        std::condition_variable finished;
        int running = threads;
        {
            std::vector<std::jthread> workers;
            for (int t = 0; t < threads; ++t)
                workers.emplace_back([&, t] {
                    searches[static_cast<std::size_t>(t)]->Run(budget.iterations, deadline, stop, sharedBest);
                    const std::lock_guard lock(mutex);
                    --running;
                    finished.notify_all();
                });
            std::unique_lock lock(mutex);
            while (running > 0) {
                finished.wait_for(lock, std::chrono::milliseconds(250));
                if (running == 0 || !progress) continue;
                lock.unlock();
                progress(sharedBest.load(), secondsUsed());
                lock.lock();
            }
        }
        // The first search among the smallest, so the answer does not depend on which thread ended first.
        for (const auto& search : searches)
            if (search->Best().size() < best.size()) best = search->Best();
    }
    std::vector<std::uint32_t> members;
    members.reserve(best.size());
    for (const std::uint32_t i : best) members.push_back(sorted[i]);
    if (progress) progress(static_cast<std::int32_t>(members.size()), secondsUsed());
    return Sorted(std::move(members));
}

std::int32_t OptimiseGuaranteeReduction(const CandidateStore& candidates, std::int32_t candidateCount, int level,
                                        const OptimiseBudget& budget, std::uint64_t seed, SystemStore& system,
                                        const OptimiseProgress& progress, const std::atomic<bool>* stop) {
    std::vector<std::uint32_t> canonical;
    canonical.reserve(static_cast<std::size_t>(candidateCount));
    for (std::int32_t k = 1; k <= candidateCount; ++k) canonical.push_back(CanonicalIndex(candidates.At(k)));
    const std::vector<std::uint32_t> members = OptimiseGuaranteeSystem(canonical, level, budget, seed, progress, stop);
    std::int32_t count = 0;
    for (const std::uint32_t c : members) system.Set(++count, CombinationFromCanonical(c));
    return count;
}

}  // namespace kombinator
