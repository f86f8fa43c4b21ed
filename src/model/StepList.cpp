// Move and step numbers of a step list, read through its checkpoints.
#include "model/StepList.h"

namespace vorpel {

StepList::Pair StepList::Numbers(std::size_t i) const {
    const std::size_t block = i / kStride;
    if (marks_.empty()) marks_.push_back({0, 0});
    while (marks_.size() <= block) {
        Pair p = marks_.back();
        const std::size_t from = (marks_.size() - 1) * kStride;
        for (std::size_t j = from; j < from + kStride; ++j) p = Add(p, records_[j]);
        marks_.push_back(p);
    }
    Pair p = marks_[block];
    for (std::size_t j = block * kStride; j <= i; ++j) p = Add(p, records_[j]);
    return p;
}

} // namespace vorpel
