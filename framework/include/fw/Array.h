#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fw/Object.h"

namespace fw {

const ClassRecord& ArrayClass();

// A one-dimensional array indexed from 0 to its upper bound. Reading or writing outside the
// bounds raises OutOfBoundsException.
template <class T>
class Array : public Object {
public:
    // An upper bound below -1 makes an empty array; one too large to hold raises
    // OutOfBoundsException.
    explicit Array(std::int64_t upperBound) : elements_(SizeFor(upperBound)) {}

    static const ClassRecord& Lookup() { return ArrayClass(); }
    const ClassRecord& Class() const override { return ArrayClass(); }

    std::int64_t Ubound() const { return static_cast<std::int64_t>(elements_.size()) - 1; }
    std::int64_t Count() const { return static_cast<std::int64_t>(elements_.size()); }

    T& operator()(std::int64_t index) { return elements_[Checked(index)]; }
    const T& operator()(std::int64_t index) const { return elements_[Checked(index)]; }

    // Inserts at `index`, 0 to Ubound() + 1; later elements move up.
    void Insert(std::int64_t index, T value) {
        if (index < 0 || index > Count()) throw OutOfBoundsException(Describe(index));
        elements_.insert(elements_.begin() + index, std::move(value));
    }
    void Append(T value) { elements_.push_back(std::move(value)); }

private:
    static std::size_t SizeFor(std::int64_t upperBound) {
        if (upperBound < 0) return 0;
        if (static_cast<std::uint64_t>(upperBound) >= std::vector<T>().max_size())
            throw OutOfBoundsException("upper bound " + std::to_string(upperBound) +
                                       " is too large");
        return static_cast<std::size_t>(upperBound) + 1;
    }
    std::size_t Checked(std::int64_t index) const {
        if (index < 0 || index > Ubound()) throw OutOfBoundsException(Describe(index));
        return static_cast<std::size_t>(index);
    }
    std::string Describe(std::int64_t index) const {
        return "index " + std::to_string(index) + " outside 0.." + std::to_string(Ubound());
    }

    std::vector<T> elements_;
};

// A new array with fixed bounds 0..upperBound; its elements are 0 or empty.
template <class T>
std::shared_ptr<Array<T>> CreateArray(std::int64_t upperBound) {
    return std::make_shared<Array<T>>(upperBound);
}

}  // namespace fw
