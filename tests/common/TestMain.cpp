#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    // Tests run in the C locale so that formats are the same on every machine; tests that
    // need another locale set it themselves.
    std::setlocale(LC_ALL, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
