#include <gtest/gtest.h>

#include <string>

#include "base/StoreChanged.h"

namespace {

// Counts assignments, so a test sees whether an unchanged value was written again.
struct TCounted {
    int Value = 0;
    int* Assignments = nullptr;
    TCounted& operator=(const TCounted& other) {
        Value = other.Value;
        if (Assignments) ++*Assignments;
        return *this;
    }
    bool operator==(const TCounted& other) const { return Value == other.Value; }
};

TEST(StoreChanged, StoresOnlyADifferentValue) {
    int field = 3;
    EXPECT_FALSE(StoreChanged(field, 3));
    EXPECT_EQ(field, 3);
    EXPECT_TRUE(StoreChanged(field, -4));
    EXPECT_EQ(field, -4);
    EXPECT_FALSE(StoreChanged(field, -4));

    std::string text = "boot";
    EXPECT_TRUE(StoreChanged(text, "shutdown"));
    EXPECT_EQ(text, "shutdown");
    EXPECT_FALSE(StoreChanged(text, std::string("shutdown")));
}

TEST(StoreChanged, LeavesAnEqualFieldUntouched) {
    int assignments = 0;
    TCounted field{7, &assignments};
    EXPECT_FALSE(StoreChanged(field, TCounted{7, &assignments}));
    EXPECT_EQ(assignments, 0);
    EXPECT_TRUE(StoreChanged(field, TCounted{8, &assignments}));
    EXPECT_EQ(assignments, 1);
    EXPECT_EQ(field.Value, 8);
}

TEST(StoreChanged, ComparesInTheFieldsType) {
    // A setter's argument converts to the field first: 2.5f widened equals the double 2.5.
    double fraction = 2.5;
    EXPECT_FALSE(StoreChanged(fraction, 2.5f));
    unsigned char small = 0;
    EXPECT_TRUE(StoreChanged(small, 200));
    EXPECT_EQ(small, 200);
}

}  // namespace
