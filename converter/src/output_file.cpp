#include "output_file.h"

#include <algorithm>
#include <stdexcept>

size_t OutputFile::Held(size_t position) const {
    if (position < handedOn_) throw std::logic_error("output position already written out");
    return position - handedOn_;
}

void OutputFile::Seek(size_t position) { position_ = position; }

void OutputFile::Write(std::span<const uint8_t> data) {
    std::copy(data.begin(), data.end(), Extend(data.size()));
}

uint8_t* OutputFile::Extend(size_t count) {
    const size_t start = Held(position_), end = start + count;
    // Bytes already held are cleared; new ones come zero-filled.
    std::fill(held_.begin() + std::min(start, held_.size()), held_.begin() + std::min(end, held_.size()), 0);
    if (held_.size() < end) held_.resize(end);
    position_ += count;
    return held_.data() + start;
}

void OutputFile::Flush() {
    if (!failed_ && !held_.empty()) failed_ = !sink_(held_);
    handedOn_ += held_.size();
    held_.clear();
}
