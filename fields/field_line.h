// A report line built from literal texts and number fields in a fixed
// buffer, for writers that produce many lines: nothing is allocated.
#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>

#include "fixed_fields.h"

namespace fields {

class FieldLine {
public:
    static constexpr int CAPACITY = 256;

    FieldLine& text(std::string_view s) {
        std::memcpy(room(static_cast<int>(s.size())), s.data(), s.size());
        size_ += static_cast<int>(s.size());
        return *this;
    }
    FieldLine& iw(std::int64_t value, int width) { return advance(write_iw(room(width), value, width)); }
    FieldLine& fw(double value, int width, int decimals) {
        return advance(write_fw(room(width), value, width, decimals));
    }
    FieldLine& ew(double value, int width, int decimals) {
        return advance(write_ew(room(width), value, width, decimals));
    }

    std::string_view view() const { return {buffer_, static_cast<std::size_t>(size_)}; }
    bool empty() const { return size_ == 0; }
    void clear() { size_ = 0; }

private:
    // Where the next `count` characters go; a line longer than the buffer is
    // a fault of the writer that builds it.
    char* room(int count) {
        if (count > CAPACITY - size_) throw std::length_error("report line longer than its buffer");
        return buffer_ + size_;
    }
    FieldLine& advance(char* end) {
        size_ = static_cast<int>(end - buffer_);
        return *this;
    }

    char buffer_[CAPACITY];
    int size_ = 0;
};

}  // namespace fields
