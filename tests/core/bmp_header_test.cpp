#include "map/bmp_header.h"

#include "bmp_writer.h"
#include "common/file_names.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <string>

namespace rovanta {
namespace {

using test::BmpInfoForm;
using test::BmpLayout;
using test::TempFolder;

std::string le(std::uint32_t v, int bytes = 4)
{
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(v >> 8 * i & 0xFF));
    return out;
}

// A file with an info header of 40 bytes or more, `extra` (masks, palette) after it, then zeroed rows.
std::string handMade(std::uint32_t infoSize, std::int32_t width, std::int32_t height, std::uint16_t bits,
                     std::uint32_t compression = kBmpRgb, const std::string& extra = {}, std::uint32_t colorsUsed = 0)
{
    std::string info = le(infoSize) + le(static_cast<std::uint32_t>(width)) + le(static_cast<std::uint32_t>(height)) +
                       le(1, 2) + le(bits, 2) + le(compression) + std::string(12, '\0') + le(colorsUsed);
    info.resize(infoSize, '\0');
    const auto offset = static_cast<std::uint32_t>(14 + infoSize + extra.size());
    const auto rows = static_cast<std::uint32_t>((width * bits + 31) / 32 * 4 * std::abs(height));
    return "BM" + le(offset + rows) + le(0) + le(offset) + info + extra + std::string(rows, '\0');
}

std::string with(std::string bytes, std::size_t at, const std::string& patch)
{
    return bytes.replace(at, patch.size(), patch);
}

const std::string kRgb = handMade(40, 4, 2, 24);
const std::string kGrey = handMade(40, 4, 2, 8, kBmpRgb, std::string(1024, '\0'));
const std::string kRle8 = with(kGrey, 30, le(kBmpRle8));

TEST(BmpHeader, ReadsEachWrittenForm)
{
    struct Row {
        const char* name;
        BmpLayout layout;
        std::int64_t stride;
        std::uint32_t infoSize, paletteEntries, entrySize, redMask;
    };
    const Row rows[] = {
        {"core 1 bit, width 33", {33, 5, 1, BmpInfoForm::kCore}, 8, 12, 2, 3, 0},
        {"V3 24 bits, width 101", {101, 7, 24, BmpInfoForm::kV3}, 304, 40, 0, 4, 0xFF0000},
        {"V3 4 bits", {5, 2, 4, BmpInfoForm::kV3}, 4, 40, 16, 4, 0},
        {"V3 16 bits top-down", {3, 2, 16, BmpInfoForm::kV3, true}, 8, 40, 0, 4, 0x7C00},
        {"V4 8 bits", {7, 3, 8, BmpInfoForm::kV4}, 8, 108, 256, 4, 0},
        {"V5 32 bits top-down", {9, 4, 32, BmpInfoForm::kV5, true}, 36, 124, 0, 4, 0xFF0000},
    };
    const TempFolder folder;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto file = folder.path() / "map.bmp";
        ASSERT_TRUE(test::writeBmp(file, row.layout));
        const auto h = readBmpHeader(file);
        ASSERT_TRUE(h.has_value());
        EXPECT_EQ(h->infoHeaderSize, row.infoSize);
        EXPECT_EQ(h->width, row.layout.width);
        EXPECT_EQ(h->height, row.layout.height);
        EXPECT_EQ(h->topDown, row.layout.topDown);
        EXPECT_EQ(h->bitsPerPixel, row.layout.bitsPerPixel);
        EXPECT_EQ(h->stride, row.stride);
        EXPECT_EQ(h->paletteEntries, row.paletteEntries);
        EXPECT_EQ(h->paletteEntrySize, row.entrySize);
        EXPECT_EQ(h->pixelOffset, 14 + row.infoSize + row.paletteEntries * row.entrySize);
        EXPECT_EQ(h->redMask, row.redMask);

        BmpLayout truncated = row.layout;
        truncated.dropBytes = 1;
        ASSERT_TRUE(test::writeBmp(file, truncated));
        EXPECT_FALSE(readBmpHeader(file).has_value()) << "truncated";
    }
}

TEST(BmpHeader, ReadsAGigabyteFileWithoutTouchingItsPixels)
{
    const TempFolder folder;
    const auto file = folder.path() / "huge.bmp";
    ASSERT_TRUE(test::writeBmp(file, {20000, 20000, 24}));
    const auto start = std::chrono::steady_clock::now();
    const auto h = readBmpHeader(file);
    // Reading the 1.2 GB of rows would take far longer than this.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    ASSERT_TRUE(h.has_value());
    EXPECT_EQ(h->stride, 60000);
    EXPECT_EQ(h->pixelBytes, 1'200'000'000u);
}

TEST(BmpHeader, ReadsMasksAndPalettesOfHandMadeFiles)
{
    struct Row {
        const char* name;
        std::string bytes;
        std::uint32_t compression, paletteEntries, pixelOffset, red, green, blue, alpha;
    };
    const std::string rgba = le(0xFF0000) + le(0xFF00) + le(0xFF) + le(0xFF000000);
    const Row rows[] = {
        {"5-6-5 masks after a V3 header", handMade(40, 3, 2, 16, kBmpBitfields, le(0xF800) + le(0x07E0) + le(0x1F)),
         kBmpBitfields, 0, 66, 0xF800, 0x07E0, 0x1F, 0},
        {"alpha masks after a V3 header", handMade(40, 3, 2, 32, kBmpAlphaBitfields, rgba), kBmpAlphaBitfields, 0, 70,
         0xFF0000, 0xFF00, 0xFF, 0xFF000000},
        {"masks inside a V4 header", with(handMade(108, 3, 2, 32, kBmpBitfields), 54, rgba), kBmpBitfields, 0, 122,
         0xFF0000, 0xFF00, 0xFF, 0xFF000000},
        {"16 of 256 colours used", handMade(40, 4, 2, 8, kBmpRgb, std::string(64, '\0'), 16), kBmpRgb, 16, 118, 0, 0, 0,
         0},
        {"RLE8 bottom-up", kRle8, kBmpRle8, 256, 1078, 0, 0, 0, 0},
        {"OS/2 2.x header", handMade(64, 4, 2, 24), kBmpRgb, 0, 78, 0xFF0000, 0xFF00, 0xFF, 0},
    };
    const TempFolder folder;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto h = readBmpHeader(toFsPath(folder.write("map.bmp", row.bytes)));
        ASSERT_TRUE(h.has_value());
        EXPECT_EQ(h->compression, row.compression);
        EXPECT_EQ(h->paletteEntries, row.paletteEntries);
        EXPECT_EQ(h->pixelOffset, row.pixelOffset);
        EXPECT_EQ((std::array{h->redMask, h->greenMask, h->blueMask, h->alphaMask}),
                  (std::array{row.red, row.green, row.blue, row.alpha}));
    }
}

TEST(BmpHeader, RejectsMalformedFiles)
{
    constexpr BmpFailure kCut = BmpFailure::kUnreadable;
    constexpr BmpFailure kForm = BmpFailure::kUnsupported;
    struct Row {
        const char* name;
        std::string bytes;
        BmpFailure failure; ///< damage, or a form the view cannot show
    };
    const Row rows[] = {
        {"cut inside the info header", kRgb.substr(0, 40), kCut},
        {"wrong signature", with(kRgb, 0, "BA"), kForm},
        {"PNG content", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + std::string(40, '\0'), kForm},
        {"two planes", with(kRgb, 26, le(2, 2)), kCut},
        {"zero width", with(kRgb, 18, le(0)), kCut},
        {"negative width", with(kRgb, 18, le(0xFFFFFFFF)), kCut},
        {"height INT32_MIN", with(kRgb, 22, le(0x80000000)), kCut},
        {"width over a million", with(kRle8, 18, le(1'000'001)), kCut},
        {"5 bits per pixel", with(kRgb, 28, le(5, 2)), kForm},
        {"JPEG", with(kRgb, 30, le(4)), kForm},
        {"RLE8 at 24 bits", with(kRgb, 30, le(kBmpRle8)), kForm},
        {"top-down RLE8", with(kRle8, 22, le(static_cast<std::uint32_t>(-2))), kForm},
        {"bit fields at 24 bits", with(kRgb, 30, le(kBmpBitfields)), kForm},
        {"bit fields in an OS/2 2.x header", handMade(64, 4, 2, 16, kBmpBitfields), kForm},
        {"masks missing", handMade(40, 1, 1, 16, kBmpBitfields), kCut},
        {"more colours used than 2^bits", with(with(kGrey, 28, le(4, 2)), 46, le(17)), kCut},
        {"pixels inside the palette", with(kGrey, 10, le(54 + 1020)), kCut},
        {"RLE pixels at the end of the file", with(kRle8, 10, le(static_cast<std::uint32_t>(kRle8.size()))), kCut},
    };
    const TempFolder folder;
    BmpFailure failure = BmpFailure::kNone;
    for (const Row& row : rows) {
        EXPECT_FALSE(readBmpHeader(toFsPath(folder.write("map.bmp", row.bytes)), failure).has_value()) << row.name;
        EXPECT_EQ(failure, row.failure) << row.name;
    }
    EXPECT_FALSE(readBmpHeader(folder.path() / "missing.bmp", failure).has_value());
    EXPECT_EQ(failure, BmpFailure::kMissing);
    EXPECT_FALSE(readBmpHeader(folder.path(), failure).has_value());
    EXPECT_EQ(failure, kCut);
    EXPECT_TRUE(readBmpHeader(toFsPath(folder.write("map.bmp", kRgb)), failure).has_value());
    EXPECT_EQ(failure, BmpFailure::kNone);
}

} // namespace
} // namespace rovanta
