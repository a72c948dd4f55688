#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "history/SharedText.h"

namespace {

TEST(SharedText, OneCopyForEachDistinctTextWhateverItHolds) {
    TSharedText alice, other, longOne, chinese;
    {
        TTextShare share;
        alice = share.Get("alice");
        other = share.Get(std::string("ali") + "ce");
        longOne = share.Get(std::string(70000, 'k'));
        chinese = share.Get("用户");
        EXPECT_TRUE(alice.SameCopy(other));
        EXPECT_FALSE(alice.SameCopy(share.Get("Alice"))) << "letter case counts";
        EXPECT_TRUE(longOne.SameCopy(share.Get(std::string(70000, 'k'))));
        EXPECT_TRUE(chinese.SameCopy(share.Get("用户")));
        EXPECT_TRUE(share.Get("").empty());
    }
    // The copies outlive the share that handed them out.
    EXPECT_EQ(alice, "alice");
    EXPECT_EQ(longOne.size(), 70000u);
    EXPECT_EQ(chinese, "用户");
}

TEST(SharedText, EmptyAndStandAloneTexts) {
    TSharedText none;
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none, "");
    EXPECT_TRUE(none.SameCopy(TSharedText(""))) << "the empty text holds nothing";
    TSharedText a("x"), b("x");
    EXPECT_EQ(a, "x");
    EXPECT_FALSE(a.SameCopy(b)) << "only a share hands out one copy";
    TSharedText c = a;
    EXPECT_TRUE(c.SameCopy(a));
    std::string s;
    s = c;
    EXPECT_EQ(s, "x");
}

}  // namespace
