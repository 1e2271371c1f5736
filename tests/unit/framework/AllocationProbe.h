#pragma once

#include <cstddef>

namespace fwtest {

// Watches the heap for as long as it lives and keeps the size of the largest single block that
// anything in the process asked for, granted or not. One probe at a time.
class AllocationProbe {
public:
    AllocationProbe();
    ~AllocationProbe();
    AllocationProbe(const AllocationProbe&) = delete;
    AllocationProbe& operator=(const AllocationProbe&) = delete;

    std::size_t Largest() const;
    // False on Windows: there Qt's DLLs allocate from the C runtime DLL directly, unseen.
    static bool Available();
};

}  // namespace fwtest
