#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/png/PngFile.h"

namespace {

class Png : public ::testing::Test {
  protected:
    std::filesystem::path dir_ =
        std::filesystem::temp_directory_path() /
        ("vigil-png-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { std::filesystem::create_directories(dir_); }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
};

TEST_F(Png, RoundTripKeepsEveryChannelAndTheAlpha) {
    TPixelBuffer picture(7, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            picture.Row(y)[x] = (TPixel(x * 40) << 24) | (TPixel(y * 100) << 16) |
                                (TPixel(x * 30 + y) << 8) | TPixel(255 - x);
    TResult<void> saved = SavePng(picture, Path("a.png"));
    ASSERT_TRUE(saved.Ok()) << saved.Error();
    TResult<TPixelBuffer> read = LoadPng(Path("a.png"));
    ASSERT_TRUE(read.Ok()) << read.Error();
    const TPixelBuffer& loaded = read.Value();
    ASSERT_EQ(loaded.Width(), 7);
    ASSERT_EQ(loaded.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(loaded.Row(y)[x], picture.Row(y)[x]) << x << "," << y;
}

TEST_F(Png, BadFilesFailNamingTheFileAndTheReason) {
    TResult<TPixelBuffer> missing = LoadPng(Path("missing.png"));
    ASSERT_FALSE(missing.Ok());
    EXPECT_EQ(missing.Error().rfind(Path("missing.png") + ": ", 0), 0u) << missing.Error();
    EXPECT_GT(missing.Error().size(), Path("missing.png").size() + 2) << "and says why";

    std::ofstream(Path("junk.png")) << "this is not a picture at all";
    TResult<TPixelBuffer> junk = LoadPng(Path("junk.png"));
    ASSERT_FALSE(junk.Ok());
    EXPECT_EQ(junk.Error().rfind(Path("junk.png") + ": ", 0), 0u) << junk.Error();

    // A real file cut short in its pixel data.
    TPixelBuffer noise(64, 64);
    for (int i = 0; i < 64 * 64; ++i) noise.Data()[i] = 0xFF000000u | (i * 2654435761u >> 8);
    ASSERT_TRUE(SavePng(noise, Path("whole.png")).Ok());
    const auto size = std::filesystem::file_size(Path("whole.png"));
    std::filesystem::copy_file(Path("whole.png"), Path("cut.png"));
    std::filesystem::resize_file(Path("cut.png"), size / 2);
    EXPECT_FALSE(LoadPng(Path("cut.png")).Ok());
}

// CRC-32 as PNG chunks carry it, so a test can write a well-formed header of its choice.
std::uint32_t Crc(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string BigEndian(std::uint32_t v) {
    return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

TEST_F(Png, AHeaderClaimingAGiantPictureIsRefusedBeforeAllocating) {
    const std::string ihdr =
        "IHDR" + BigEndian(200000) + BigEndian(200000) + std::string("\x08\x06\x00\x00\x00", 5);
    std::ofstream file(Path("giant.png"), std::ios::binary);
    file << "\x89PNG\r\n\x1a\n" << BigEndian(13) << ihdr << BigEndian(Crc(ihdr));
    file << BigEndian(0) << "IDAT" << BigEndian(Crc("IDAT"));
    file << BigEndian(0) << "IEND" << BigEndian(Crc("IEND"));
    file.close();
    TResult<TPixelBuffer> giant = LoadPng(Path("giant.png"));
    ASSERT_FALSE(giant.Ok());
    EXPECT_EQ(giant.Error(), Path("giant.png") + ": picture size out of range");
}

TEST_F(Png, SavingFailsNamingTheFileForEmptyPicturesAndUnwritablePaths) {
    TResult<void> empty = SavePng(TPixelBuffer(0, 0), Path("empty.png"));
    ASSERT_FALSE(empty.Ok());
    EXPECT_EQ(empty.Error(), Path("empty.png") + ": the picture is empty");
    EXPECT_FALSE(std::filesystem::exists(Path("empty.png")));

    TResult<void> nowhere = SavePng(TPixelBuffer(2, 2), Path("no/such/dir/x.png"));
    ASSERT_FALSE(nowhere.Ok());
    EXPECT_EQ(nowhere.Error(), Path("no/such/dir/x.png") + ": No such file or directory");
}

}  // namespace
