// A level's recorded steps, eight bytes each, with move and step numbers worked out on asking.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorpel {

// One recorded step; a move is a run of steps of one block. The record keeps no move or step
// number, only whether its numbers are one more than those of the record before it.
struct StepRecord {
    static constexpr std::uint8_t kNewMove = 1;
    static constexpr std::uint8_t kNewStep = 2;

    std::int16_t block = 0;
    std::uint8_t row = 0;
    std::uint8_t column = 0;
    std::int8_t rowDelta = 0;
    std::int8_t columnDelta = 0;
    std::uint8_t sideEffect = 0;
    std::uint8_t counts = 0; // kNewMove | kNewStep

    bool NewMove() const { return (counts & kNewMove) != 0; }
    bool NewStep() const { return (counts & kNewStep) != 0; }
    friend bool operator==(const StepRecord&, const StepRecord&) = default;
};

// A vector of step records whose move and step numbers are running sums of the records' counts
// (the first record counts from zero). A collection holds millions of records, so the numbers
// are not stored: a checkpoint every kStride records keeps reading one number to at most
// kStride - 1 additions. Records change only through Set, resize and pop_back, which drop the
// checkpoints after the change.
class StepList {
public:
    using const_iterator = std::vector<StepRecord>::const_iterator;

    std::size_t size() const { return records_.size(); }
    std::size_t capacity() const { return records_.capacity(); }
    bool empty() const { return records_.empty(); }

    const StepRecord& operator[](std::size_t i) const { return records_[i]; }
    const_iterator begin() const { return records_.begin(); }
    const_iterator end() const { return records_.end(); }
    void Set(std::size_t i, const StepRecord& record) {
        Touch(i);
        records_[i] = record;
    }

    void push_back(const StepRecord& record) { records_.push_back(record); }
    void pop_back() {
        Touch(records_.size() - 1);
        records_.pop_back();
    }
    void resize(std::size_t n) {
        Touch(n);
        records_.resize(n);
    }
    void clear() {
        records_.clear();
        marks_.clear();
    }
    // Gives back spare room; the checkpoints are rebuilt when next asked for.
    void shrink_to_fit() {
        records_.shrink_to_fit();
        marks_.clear();
        marks_.shrink_to_fit();
    }
    template <class It> void assign(It first, It last) {
        records_.assign(first, last);
        marks_.clear();
    }

    // The move and step numbers of record i (i < size()).
    std::int32_t MoveNumber(std::size_t i) const { return Numbers(i)[0]; }
    std::int32_t StepNumber(std::size_t i) const { return Numbers(i)[1]; }

    friend bool operator==(const StepList& a, const StepList& b) {
        return a.records_ == b.records_;
    }

private:
    static constexpr std::size_t kStride = 64;
    using Pair = std::array<std::int32_t, 2>; // move, step

    static Pair Add(Pair p, const StepRecord& r) {
        return {p[0] + (r.NewMove() ? 1 : 0), p[1] + (r.NewStep() ? 1 : 0)};
    }
    // A change to record i leaves the checkpoints up to i's own block standing.
    void Touch(std::size_t i) {
        if (marks_.size() > i / kStride + 1) marks_.resize(i / kStride + 1);
    }
    Pair Numbers(std::size_t i) const;

    std::vector<StepRecord> records_;
    // marks_[k]: the numbers before record k * kStride; built on asking.
    mutable std::vector<Pair> marks_;
};

} // namespace vorpel
