#include "cursorbitmap.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <cstdint>
#include <string>

namespace metrivo {
namespace {

void Put(QByteArray& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

struct BitmapCase {
    const char* name;
    int width;
    int height;
    int bits;
    bool alpha;  // 32 bits: an alpha channel of its own; else the mask decides
};

// Whether the AND mask of the pattern below makes (x, y) transparent.
bool Masked(int x, int y) {
    return (x / 3 + y / 2) % 3 == 0;
}

// A bitmap of `c`'s shape with a pattern of colours, palette and mask, as a
// cursor file holds it after its directory.
QByteArray Bitmap(const BitmapCase& c) {
    QByteArray dib;
    Put(dib, 40, 4);
    Put(dib, static_cast<uint32_t>(c.width), 4);
    Put(dib, static_cast<uint32_t>(c.height * 2), 4);
    Put(dib, 1, 2);
    Put(dib, static_cast<uint32_t>(c.bits), 2);
    Put(dib, 0, 4);  // uncompressed
    for (int i = 0; i < 5; ++i) Put(dib, 0, 4);
    const int colours = c.bits <= 8 ? 1 << c.bits : 0;
    for (int i = 0; i < colours; ++i) Put(dib, static_cast<uint32_t>(i * 0x010203 + 0x102030), 4);
    const auto rowBytes = [](int width, int bits) { return (width * bits + 31) / 32 * 4; };
    for (int y = 0; y < c.height; ++y) {
        QByteArray row(rowBytes(c.width, c.bits), '\0');
        for (int x = 0; x < c.width; ++x) {
            const int value = (x * 7 + y * 13) % 251;
            switch (c.bits) {
                case 32:
                    row[x * 4] = static_cast<char>(value);
                    row[x * 4 + 1] = static_cast<char>(255 - value);
                    row[x * 4 + 2] = static_cast<char>(x * 3);
                    row[x * 4 + 3] = static_cast<char>(c.alpha ? (x + y) % 2 * 255 : 0);
                    break;
                case 24:
                    row[x * 3] = static_cast<char>(value);
                    row[x * 3 + 1] = static_cast<char>(y * 5);
                    row[x * 3 + 2] = static_cast<char>(x * 3);
                    break;
                default: {
                    const int index = value % colours;
                    const int bit = x * c.bits;
                    row[bit / 8] = static_cast<char>(static_cast<uint8_t>(row[bit / 8]) |
                                                     index << (8 - c.bits - bit % 8));
                }
            }
        }
        dib += row;
    }
    for (int y = 0; y < c.height; ++y) {
        QByteArray row(rowBytes(c.width, 1), '\0');
        for (int x = 0; x < c.width; ++x) {
            if (Masked(x, y)) {
                row[x / 8] = static_cast<char>(static_cast<uint8_t>(row[x / 8]) | 0x80 >> x % 8);
            }
        }
        dib += row;
    }
    return dib;
}

// The same bitmap in a cursor file, for Qt's own reader to compare with.
QImage QtsReading(const QByteArray& dib, int width, int height) {
    QByteArray file;
    Put(file, 0, 2);
    Put(file, 2, 2);
    Put(file, 1, 2);
    file.append(static_cast<char>(width % 256));
    file.append(static_cast<char>(height % 256));
    Put(file, 0, 2);
    Put(file, 0, 4);  // the hotspot
    Put(file, static_cast<uint32_t>(dib.size()), 4);
    Put(file, 22, 4);
    file += dib;
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "cur");
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

class CursorBitmapTest : public ::testing::TestWithParam<BitmapCase> {};

// The depths where Qt's image plugin follows the format read as it reads them.
TEST_P(CursorBitmapTest, ReadsAsQtsPluginDoes) {
    const BitmapCase& c = GetParam();
    const QByteArray dib = Bitmap(c);
    const QImage ours = CursorBitmap::Decode(dib);
    ASSERT_FALSE(ours.isNull());
    ASSERT_EQ(ours.size(), QSize(c.width, c.height));
    const QImage theirs = QtsReading(dib, c.width, c.height);
    ASSERT_FALSE(theirs.isNull()) << "Qt's reader could not read the case";
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const QRgb a = ours.pixel(x, y);
            const QRgb b = theirs.pixel(x, y);
            // A transparent pixel's colour does not show.
            if (qAlpha(a) == 0 && qAlpha(b) == 0) continue;
            ASSERT_EQ(a, b) << "at " << x << "," << y;
        }
    }
    // Cut short by one byte, it is no picture.
    EXPECT_TRUE(CursorBitmap::Decode(dib.left(dib.size() - 1)).isNull());
}

INSTANTIATE_TEST_SUITE_P(Depths, CursorBitmapTest,
                         ::testing::Values(BitmapCase{"mono_32", 32, 32, 1, false},
                                           BitmapCase{"sixteen_colours_32", 32, 32, 4, false},
                                           BitmapCase{"palette_48", 48, 48, 8, false},
                                           BitmapCase{"palette_odd_width", 33, 20, 8, false},
                                           BitmapCase{"alpha_channel_32", 32, 32, 32, true},
                                           BitmapCase{"alpha_channel_odd_width", 33, 20, 32, true},
                                           BitmapCase{"largest_side", 256, 256, 32, true}),
                         [](const auto& info) { return std::string(info.param.name); });

class CursorBitmapMask : public ::testing::TestWithParam<BitmapCase> {};

// Without an alpha channel of its own (24 bits, or 32 bits all of alpha 0)
// the AND mask decides, as Windows draws such cursors; Qt's plugin ignores
// the mask there and would give a 24-bit cursor no transparency at all and a
// 32-bit one no visible pixel.
TEST_P(CursorBitmapMask, TheAndMaskDecides) {
    const BitmapCase& c = GetParam();
    const QImage ours = CursorBitmap::Decode(Bitmap(c));
    ASSERT_FALSE(ours.isNull());
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            // Rows are stored bottom-up.
            const bool masked = Masked(x, c.height - 1 - y);
            ASSERT_EQ(qAlpha(ours.pixel(x, y)), masked ? 0 : 255) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, CursorBitmapMask,
                         ::testing::Values(BitmapCase{"true_colour", 32, 32, 24, false},
                                           BitmapCase{"true_colour_odd_width", 33, 20, 24, false},
                                           BitmapCase{"zero_alpha", 32, 32, 32, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadCase {
    const char* name;
    QByteArray dib;
};

class CursorBitmapBad : public ::testing::TestWithParam<BadCase> {};

TEST_P(CursorBitmapBad, IsNoPicture) {
    EXPECT_TRUE(CursorBitmap::Decode(GetParam().dib).isNull());
}

QByteArray Patched(BitmapCase c, qsizetype at, uint32_t value, int bytes) {
    QByteArray dib = Bitmap(c);
    for (int i = 0; i < bytes; ++i) dib[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
    return dib;
}

const BitmapCase kPlain{"plain", 16, 16, 32, true};

INSTANTIATE_TEST_SUITE_P(Headers, CursorBitmapBad,
                         ::testing::Values(BadCase{"empty", QByteArray()},
                                           BadCase{"header_too_small", Patched(kPlain, 0, 20, 4)},
                                           BadCase{"compressed", Patched(kPlain, 16, 1, 4)},
                                           BadCase{"odd_height", Patched(kPlain, 8, 31, 4)},
                                           BadCase{"negative_width",
                                                   Patched(kPlain, 4, 0xffffffffu, 4)},
                                           BadCase{"beyond_256_pixels", Patched(kPlain, 4, 300, 4)},
                                           BadCase{"sixteen_bits", Patched(kPlain, 14, 16, 2)},
                                           BadCase{"no_rows", Patched(kPlain, 8, 0, 4)}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace metrivo
