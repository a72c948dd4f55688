#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>

#include "base/Result.h"

namespace {

TResult<int> Half(int n) {
    if (n % 2 != 0) return TError(std::to_string(n) + " is odd");
    return n / 2;
}

TResult<void> Check(bool good) {
    if (!good) return TError("not good");
    return {};
}

TEST(Result, HoldsTheValueOrTheError) {
    TResult<int> half = Half(8);
    ASSERT_TRUE(half.Ok());
    EXPECT_TRUE(static_cast<bool>(half));
    EXPECT_EQ(half.Value(), 4);

    TResult<int> odd = Half(7);
    EXPECT_FALSE(odd.Ok());
    EXPECT_FALSE(static_cast<bool>(odd));
    EXPECT_EQ(odd.Error(), "7 is odd");
}

TEST(Result, VoidSucceedsByDefaultAndCarriesItsError) {
    TResult<void> good = Check(true);
    EXPECT_TRUE(good.Ok());
    TResult<void> bad = Check(false);
    ASSERT_FALSE(bad.Ok());
    EXPECT_EQ(bad.Error(), "not good");
}

TEST(Result, AskingTheWrongSideIsRefusedLoudly) {
    TResult<int> odd = Half(3);
    EXPECT_THROW((void)odd.Value(), std::bad_variant_access);
    TResult<int> half = Half(2);
    EXPECT_THROW((void)half.Error(), std::bad_variant_access);
    TResult<void> good = Check(true);
    EXPECT_THROW((void)good.Error(), std::bad_variant_access);
}

TEST(Result, MovesValuesThatCannotBeCopied) {
    auto make = [](bool good) -> TResult<std::unique_ptr<std::string>> {
        if (!good) return TError("none");
        return std::make_unique<std::string>("kept");
    };
    TResult<std::unique_ptr<std::string>> made = make(true);
    ASSERT_TRUE(made.Ok());
    std::unique_ptr<std::string> taken = std::move(made).Value();
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(*taken, "kept");

    TResult<std::unique_ptr<std::string>> moved = make(false);
    TResult<std::unique_ptr<std::string>> target = std::move(moved);
    ASSERT_FALSE(target.Ok());
    EXPECT_EQ(target.Error(), "none");
}

TEST(Result, ValueAndErrorOfTheSameTypeStayApart) {
    TResult<std::string> text = std::string("fine");
    TResult<std::string> failed = TError("fine");
    EXPECT_TRUE(text.Ok());
    EXPECT_EQ(text.Value(), "fine");
    EXPECT_FALSE(failed.Ok());
    EXPECT_EQ(failed.Error(), "fine");
}

}  // namespace
