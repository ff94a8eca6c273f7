#pragma once
// The two fixed stores of 30,000 CombinationRecords that the engine and the generators share.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "model/combination.h"

namespace kombinator {

inline constexpr std::int32_t StoreCapacity = 30000;
inline constexpr std::size_t RecordSize = 12;

// A flat array of StoreCapacity records, 1-based; record k lives at bytes 12(k-1)..12(k-1)+11.
// Never cleared: records past the current count keep whatever an earlier run left.
class RecordStore {
public:
    static constexpr std::size_t ByteSize = StoreCapacity * RecordSize;

    std::uint8_t* RecordBytes(std::int32_t k) { return bytes_ + RecordSize * static_cast<std::size_t>(k - 1); }
    const std::uint8_t* RecordBytes(std::int32_t k) const {
        return bytes_ + RecordSize * static_cast<std::size_t>(k - 1);
    }
    CombinationRecord Record(std::int32_t k) const {
        CombinationRecord r;
        std::memcpy(r.data(), RecordBytes(k), RecordSize);
        return r;
    }
    void SetRecord(std::int32_t k, const CombinationRecord& r) { std::memcpy(RecordBytes(k), r.data(), RecordSize); }
    Combination At(std::int32_t k) const { return FromRecord(Record(k)); }
    void Set(std::int32_t k, const Combination& c) { SetRecord(k, ToRecord(c)); }
    const std::uint8_t* Data() const { return bytes_; }
    std::uint8_t* Data() { return bytes_; }

private:
    std::uint8_t bytes_[ByteSize] = {};
};

// Records of the Combinations that passed the last FilterRun, in canonical order.
struct CandidateStore : RecordStore {};
// The generators' working array.
struct SystemStore : RecordStore {};

}  // namespace kombinator
