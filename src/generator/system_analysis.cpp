#include "generator/system_analysis.h"

#include <algorithm>
#include <bit>

#include "io/system_line.h"

namespace kombinator {

namespace {

// Compress[mask][half]: the score nibbles of a 12-bit half at the Positions of the 3-bit mask
// (bit j is the half's Position j + 1), kept in order, the first Position most significant.
struct CompressTable {
    std::array<std::array<std::uint16_t, HalfCount>, 8> at{};
};

constexpr CompressTable MakeCompressTable() {
    CompressTable t;
    for (unsigned mask = 0; mask < 8; ++mask)
        for (unsigned h = 0; h < HalfCount; ++h) {
            unsigned v = 0;
            for (int j = 0; j < 3; ++j)
                if (mask & (1u << j)) v = (v << 4) | ((h >> (4 * (2 - j))) & 15u);
            t.at[mask][h] = static_cast<std::uint16_t>(v);
        }
    return t;
}

constexpr CompressTable Compress = MakeCompressTable();

// Spread16[q]: 16-bit group g of the word is all ones when bit g of q is set.
constexpr std::array<std::uint64_t, 16> MakeSpread16() {
    std::array<std::uint64_t, 16> t{};
    for (unsigned q = 0; q < 16; ++q)
        for (int g = 0; g < 4; ++g)
            if (q & (1u << g)) t[q] |= std::uint64_t{0xFFFF} << (16 * g);
    return t;
}
constexpr std::array<std::uint64_t, 16> Spread16 = MakeSpread16();

constexpr std::uint64_t EveryGroup = 0x0001000100010001ull;  // x * EveryGroup repeats a 16-bit x

// A first half holding this many outcomes or more is answered with sets instead of one outcome
// at a time.
constexpr int SetThreshold = 48;

bool Bit(const std::uint64_t* bits, std::uint64_t at) { return (bits[at >> 6] >> (at & 63)) & 1u; }

}  // namespace

AnalysisLine AnalysisLineOf(const Combination& c) {
    AnalysisLine line{};
    for (int p = 0; p < PositionCount; ++p)
        line[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(ScoreIndex(c.scores[static_cast<std::size_t>(p)]));
    return line;
}

SystemLinesRead ReadAnalysisLines(const std::vector<std::string>& systemList) {
    SystemLinesRead read;
    read.lines.reserve(systemList.size());
    for (std::size_t n = 0; n < systemList.size(); ++n) {
        const SystemLineDigits digits = ReadSystemLineDigits(systemList[n]);
        if (!digits.ok) {
            read.error = digits.error;
            read.badLine = static_cast<std::int32_t>(n + 1);
            read.lines.clear();
            return read;
        }
        AnalysisLine line{};
        for (std::size_t p = 0; p < 6; ++p) {
            const std::uint8_t home = digits.digits[2 * p], away = digits.digits[2 * p + 1];
            line[p] = home <= 3 && away <= 3 ? static_cast<std::uint8_t>(4 * home + away) : NoLineScore;
        }
        read.lines.push_back(line);
    }
    read.ok = true;
    return read;
}

OutcomesRead ReadOutcomeLines(const std::vector<std::string>& lines) {
    OutcomesRead read;
    read.canonical.reserve(lines.size());
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const SystemLineDigits digits = ReadSystemLineDigits(lines[n]);
        std::uint32_t canonical = 0;
        bool combination = digits.ok;
        for (std::size_t i = 0; combination && i < digits.digits.size(); ++i) {
            combination = digits.digits[i] <= 3;
            canonical = (canonical << 2) | digits.digits[i];
        }
        if (!combination) {
            read.error = "line " + std::to_string(n + 1) + ": not a Combination (" +
                         (digits.ok ? std::string("a goal count above 3") : digits.error) + ")";
            read.canonical.clear();
            return read;
        }
        read.canonical.push_back(canonical);
    }
    read.ok = true;
    return read;
}

SystemCoverage::SystemCoverage(const std::vector<AnalysisLine>& lines)
    : lineCount_(static_cast<std::int32_t>(lines.size())) {
    std::uint64_t offset = 0;
    std::size_t k = 0;
    for (int level = 1; level <= 6; ++level) {
        levelBegin_[static_cast<std::size_t>(level)] = static_cast<int>(k);
        for (unsigned mask = 1; mask < 64; ++mask) {
            if (std::popcount(mask) != level) continue;
            Subset& s = subsets_[k++];
            s.level = static_cast<std::uint8_t>(level);
            s.firstMask = static_cast<std::uint8_t>(mask & 7u);
            s.secondMask = static_cast<std::uint8_t>(mask >> 3);
            s.secondShift = static_cast<std::uint8_t>(4 * std::popcount(mask >> 3));
            s.offset = offset;
            // Every bitmap starts on a word of its own; the 16 bits of a one-Position set fill one word.
            // Six Positions are looked up in the sorted lines instead (a 2 MB bitmap costs more to
            // fault in than the whole analysis of 30,000 outcomes).
            if (level < 6) offset += std::max<std::uint64_t>(64, std::uint64_t{1} << (4 * level));
        }
    }
    levelBegin_[7] = static_cast<int>(k);
    bits_.assign(offset / 64, 0);

    // Lines as two halves; a line with a Position that never agrees keeps only the sets without it.
    std::vector<std::uint32_t> whole, partial;
    whole.reserve(lines.size());
    std::vector<unsigned> partialValid;
    for (const AnalysisLine& line : lines) {
        unsigned valid = 0;
        std::uint32_t canonical = 0;
        for (unsigned p = 0; p < 6; ++p) {
            if (line[p] != NoLineScore) valid |= 1u << p;
            canonical = (canonical << 4) | (line[p] & 15u);
        }
        if (valid == 63) {
            whole.push_back(canonical);
        } else {
            partial.push_back(canonical);
            partialValid.push_back(valid);
        }
    }
    // Sorted by a count of each first half and small sorts inside: far cheaper than one big sort.
    for (std::uint32_t canonical : whole) ++firstBegin_[(canonical >> 12) + 1];
    for (std::size_t f = 0; f < HalfCount; ++f) firstBegin_[f + 1] += firstBegin_[f];
    sortedLines_.resize(whole.size());
    {
        std::array<std::uint32_t, HalfCount> next;
        std::copy(firstBegin_.begin(), firstBegin_.end() - 1, next.begin());
        for (std::uint32_t canonical : whole) sortedLines_[next[canonical >> 12]++] = canonical;
    }
    for (std::size_t f = 0; f < HalfCount; ++f)
        std::sort(sortedLines_.begin() + firstBegin_[f], sortedLines_.begin() + firstBegin_[f + 1]);

    // One set at a time, so only its bitmap is written to while it is filled. The bitmaps of few
    // Positions fill up after a few hundred lines; the rest of the lines cannot change them.
    for (const Subset& s : subsets_) {
        if (s.level == 6) continue;
        const auto& first = Compress.at[s.firstMask];
        const auto& second = Compress.at[s.secondMask];
        const std::uint64_t entries = std::uint64_t{1} << (4 * s.level);
        std::uint64_t filled = 0;
        const auto set = [&](std::uint32_t canonical) {
            const std::uint64_t index = s.offset + (std::uint64_t{first[canonical >> 12]} << s.secondShift) + second[canonical & 4095u];
            std::uint64_t& word = bits_[index >> 6];
            const std::uint64_t bit = std::uint64_t{1} << (index & 63);
            filled += (word & bit) == 0;
            word |= bit;
        };
        const unsigned mask = s.firstMask | (unsigned{s.secondMask} << 3);
        for (std::size_t i = 0; i < whole.size() && filled < entries; ++i) set(whole[i]);
        for (std::size_t i = 0; i < partial.size() && filled < entries; ++i)
            if ((mask & partialValid[i]) == mask) set(partial[i]);
    }
}

void SystemCoverage::FirstHalfBases(int first, std::array<std::uint64_t, 63>& bases) const {
    for (std::size_t k = 0; k < subsets_.size(); ++k) {
        const Subset& s = subsets_[k];
        bases[k] = s.offset + (std::uint64_t{Compress.at[s.firstMask][static_cast<std::size_t>(first)]} << s.secondShift);
    }
}

bool SystemCoverage::IsLine(std::uint32_t canonical) const {
    const auto begin = sortedLines_.begin() + firstBegin_[canonical >> 12];
    const auto end = sortedLines_.begin() + firstBegin_[(canonical >> 12) + 1];
    return std::binary_search(begin, end, canonical);
}

int SystemCoverage::BestHitCount(std::uint32_t canonical) const {
    const std::size_t first = canonical >> 12, second = canonical & 4095u;
    if (IsLine(canonical)) return 6;
    for (int level = 5; level >= 1; --level)
        for (int k = levelBegin_[static_cast<std::size_t>(level)]; k < levelBegin_[static_cast<std::size_t>(level) + 1]; ++k) {
            const Subset& s = subsets_[static_cast<std::size_t>(k)];
            const std::uint64_t at = s.offset + (std::uint64_t{Compress.at[s.firstMask][first]} << s.secondShift) +
                                     Compress.at[s.secondMask][second];
            if (Bit(bits_.data(), at)) return level;
        }
    return 0;
}

// ORs into acc every second half s for which the set's bitmap has the bit of (first half, s);
// `base` is where the first half's slice of the bitmap begins.
void SystemCoverage::OrSecondHalves(const Subset& subset, std::uint64_t base, HalfSet& acc) const {
    const std::uint64_t* slice = bits_.data() + (base >> 6);
    const unsigned inWord = static_cast<unsigned>(base & 63);
    auto& out = acc.words;
    switch (subset.secondMask) {
    case 0b000:  // one bit: every second half or none
        if ((slice[0] >> inWord) & 1u) acc.Fill();
        break;
    case 0b001: {  // Position 4: each of its scores spans four words
        const unsigned m = static_cast<unsigned>(slice[0] >> inWord) & 0xFFFFu;
        for (int w = 0; w < HalfSetWords; ++w)
            if ((m >> (w >> 2)) & 1u) out[static_cast<std::size_t>(w)] = ~std::uint64_t{0};
        break;
    }
    case 0b010: {  // Position 5: a 16-bit group per score, repeated for every Position 4 score
        const unsigned m = static_cast<unsigned>(slice[0] >> inWord) & 0xFFFFu;
        for (int w = 0; w < HalfSetWords; ++w) out[static_cast<std::size_t>(w)] |= Spread16[(m >> (4 * (w & 3))) & 15u];
        break;
    }
    case 0b100: {  // Position 6: the same 16 bits in every group
        const std::uint64_t word = (slice[0] >> inWord & 0xFFFFu) * EveryGroup;
        for (auto& o : out) o |= word;
        break;
    }
    case 0b011:  // Positions 4 and 5: slice index s >> 4
        for (int w = 0; w < HalfSetWords; ++w)
            out[static_cast<std::size_t>(w)] |= Spread16[(slice[w >> 4] >> (4 * (w & 15))) & 15u];
        break;
    case 0b101:  // Positions 4 and 6: a 16-bit mask of Position 6 scores per Position 4 score
        for (int s4 = 0; s4 < 16; ++s4) {
            const std::uint64_t word = (slice[s4 >> 2] >> (16 * (s4 & 3)) & 0xFFFFu) * EveryGroup;
            for (int j = 0; j < 4; ++j) out[static_cast<std::size_t>(4 * s4 + j)] |= word;
        }
        break;
    case 0b110:  // Positions 5 and 6: slice index s & 255, repeated for every Position 4 score
        for (int w = 0; w < HalfSetWords; ++w) out[static_cast<std::size_t>(w)] |= slice[w & 3];
        break;
    default:  // all three: the slice is the set
        for (int w = 0; w < HalfSetWords; ++w) out[static_cast<std::size_t>(w)] |= slice[w];
        break;
    }
}

void SystemCoverage::CountFirstHalf(int first, const HalfSet& seconds, std::array<std::int64_t, 7>& byBest,
                                    std::vector<std::uint32_t>* holes, int holeLevel) const {
    std::array<std::uint64_t, 63> bases;
    FirstHalfBases(first, bases);
    const std::uint32_t high = static_cast<std::uint32_t>(first) << 12;
    const int n = seconds.Count();
    if (n == 0) return;

    if (n < SetThreshold || lineCount_ == 0) {
        for (int w = 0; w < HalfSetWords; ++w)
            for (std::uint64_t b = seconds.words[static_cast<std::size_t>(w)]; b; b &= b - 1) {
                const std::size_t second = static_cast<std::size_t>(64 * w + std::countr_zero(b));
                int best = IsLine(high | static_cast<std::uint32_t>(second)) ? 6 : 0;
                for (int level = 5; level >= 1 && best == 0; --level)
                    for (int k = levelBegin_[static_cast<std::size_t>(level)];
                         k < levelBegin_[static_cast<std::size_t>(level) + 1]; ++k) {
                        const Subset& s = subsets_[static_cast<std::size_t>(k)];
                        if (Bit(bits_.data(), bases[static_cast<std::size_t>(k)] + Compress.at[s.secondMask][second])) {
                            best = level;
                            break;
                        }
                    }
                ++byBest[static_cast<std::size_t>(best)];
                if (holes != nullptr && best < holeLevel) holes->push_back(high | static_cast<std::uint32_t>(second));
            }
        return;
    }

    // covered: the outcomes of this first half sharing `level` scores with some line; the sets
    // grow as the level falls, since sharing L + 1 scores means sharing L.
    HalfSet covered;
    covered.Clear();
    std::int64_t above = 0;  // outcomes whose best is above the current level
    int level = 6;
    for (; level >= 1; --level) {
        if (level == 6) {
            for (std::uint32_t i = firstBegin_[static_cast<std::size_t>(first)]; i < firstBegin_[static_cast<std::size_t>(first) + 1]; ++i)
                covered.Set(static_cast<int>(sortedLines_[i] & 4095u));
        } else {
            for (int k = levelBegin_[static_cast<std::size_t>(level)]; k < levelBegin_[static_cast<std::size_t>(level) + 1]; ++k)
                OrSecondHalves(subsets_[static_cast<std::size_t>(k)], bases[static_cast<std::size_t>(k)], covered);
        }
        HalfSet here = covered;
        here &= seconds;
        const std::int64_t atLeast = here.Count();
        byBest[static_cast<std::size_t>(level)] += atLeast - above;
        above = atLeast;
        if (holes != nullptr && level == holeLevel) {
            for (int w = 0; w < HalfSetWords; ++w)
                for (std::uint64_t b = seconds.words[static_cast<std::size_t>(w)] & ~covered.words[static_cast<std::size_t>(w)];
                     b; b &= b - 1)
                    holes->push_back(high | static_cast<std::uint32_t>(64 * w + std::countr_zero(b)));
        }
        if (atLeast == n) break;  // every outcome here is placed; lower levels add nothing
    }
    if (level < 1) byBest[0] += n - above;
}

OutcomeSource OutcomeSource::FromList(std::vector<std::uint32_t> canonical) {
    std::sort(canonical.begin(), canonical.end());
    canonical.erase(std::unique(canonical.begin(), canonical.end()), canonical.end());
    OutcomeSource source;
    source.kind_ = Kind::List;
    source.list_ = std::make_shared<const std::vector<std::uint32_t>>(std::move(canonical));
    return source;
}

OutcomeSource OutcomeSource::Passing(const FilterSettings& settings) {
    OutcomeSource source;
    source.kind_ = Kind::Passing;
    source.settings_ = std::make_shared<const FilterSettings>(settings);
    return source;
}

OutcomeSource OutcomeSource::Everything() { return OutcomeSource{}; }

std::string OutcomeSource::ForEachSet(const PassingSetVisitor& visit) const {
    switch (kind_) {
    case Kind::Passing:
        return ForEachPassingSet(*settings_, visit);
    case Kind::Everything: {
        HalfSet all;
        all.Fill();
        for (int f = 0; f < HalfCount; ++f)
            if (!visit(f, all)) break;
        return {};
    }
    case Kind::List: {
        const std::vector<std::uint32_t>& list = *list_;
        HalfSet seconds;
        for (std::size_t i = 0; i < list.size();) {
            const std::uint32_t first = list[i] >> 12;
            seconds.Clear();
            for (; i < list.size() && list[i] >> 12 == first; ++i) seconds.Set(static_cast<int>(list[i] & 4095u));
            if (!visit(static_cast<int>(first), seconds)) break;
        }
        return {};
    }
    }
    return {};
}

std::int64_t SystemAnalysis::HoleCount(int level) const {
    std::int64_t n = 0;
    for (int k = 0; k < level && k <= 6; ++k) n += byBest[static_cast<std::size_t>(k)];
    return n;
}

std::vector<std::uint32_t> SystemAnalysis::Holes(int level, const AnalysisControl& control) const {
    std::vector<std::uint32_t> holes;
    if (!coverage_ || !ok() || level <= 0) return holes;
    holes.reserve(static_cast<std::size_t>(HoleCount(level)));
    std::array<std::int64_t, 7> unused{};
    bool cut = false;
    source_.ForEachSet([&](int first, const HalfSet& seconds) {
        if (control.Stopped()) {
            cut = true;
            return false;
        }
        coverage_->CountFirstHalf(first, seconds, unused, &holes, level);
        if (control.progress) control.progress(first + 1);
        return true;
    });
    if (cut) holes.clear();
    return holes;
}

SystemAnalysis AnalyseSystem(const std::vector<AnalysisLine>& lines, OutcomeSource outcomes,
                             const AnalysisControl& control) {
    SystemAnalysis analysis;
    analysis.lines = static_cast<std::int32_t>(lines.size());
    analysis.coverage_ = std::make_shared<const SystemCoverage>(lines);
    analysis.source_ = std::move(outcomes);
    const SystemCoverage& coverage = *analysis.coverage_;
    analysis.message = analysis.source_.ForEachSet([&](int first, const HalfSet& seconds) {
        if (control.Stopped()) {
            analysis.stopped = true;
            return false;
        }
        coverage.CountFirstHalf(first, seconds, analysis.byBest, nullptr, 0);
        if (control.progress) control.progress(first + 1);
        return true;
    });
    for (std::int64_t n : analysis.byBest) analysis.outcomes += n;
    for (int k = 0; k <= 6; ++k)
        if (analysis.byBest[static_cast<std::size_t>(k)] > 0) {
            analysis.guarantee = k;
            break;
        }
    return analysis;
}

}  // namespace kombinator
