// Compares two high-score lists place by place, naming the first place that differs.
#pragma once

#include <gtest/gtest.h>

#include "scores/HeroList.h"

namespace kelvarn::test {

inline ::testing::AssertionResult sameList(const HeroTable& actual, const HeroTable& expected) {
    for (int k = 1; k <= HeroTable::size; ++k) {
        const HeroEntry& a = actual[k];
        const HeroEntry& e = expected[k];
        if (!(a == e)) {
            return ::testing::AssertionFailure()
                   << "place " << k << ": got {" << a.entryName << ", " << a.entryScore << ", "
                   << a.entryDate << "}, expected {" << e.entryName << ", " << e.entryScore << ", "
                   << e.entryDate << "}";
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace kelvarn::test
