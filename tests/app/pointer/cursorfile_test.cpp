#include "cursorfile.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPixmap>

#include "casename.h"
#include "expectthrowmsg.h"
#include "runtimeerror.h"
#include "scratchfolder.h"

namespace metrivo {
namespace {

using test::Entry;

QByteArray Patched(QByteArray file, qsizetype at, uint32_t value, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<char>(value >> (8 * i));
    return file;
}

// A cursor file of one opaque red 32-bit image with its AND mask.
QByteArray MakeCursor(int width, int height, uint16_t hotX, uint16_t hotY) {
    const int imageSize = 40 + width * height * 4 + (width + 31) / 32 * 4 * height;
    QByteArray file(22, '\0');
    file = Patched(Patched(Patched(file, 2, 2, 2), 4, 1, 2), 6,
                   uint32_t((width & 0xff) | (height & 0xff) << 8), 2);
    file =
        Patched(Patched(Patched(Patched(file, 10, hotX, 2), 12, hotY, 2), 14, imageSize), 18, 22);
    QByteArray image(imageSize, '\0');
    image =
        Patched(Patched(Patched(Patched(Patched(image, 0, 40), 4, width), 8, 2 * height), 12, 1, 2),
                14, 32, 2);
    for (int p = 0; p < width * height; ++p) image = Patched(image, 40 + 4 * p, 0xffff0000u);
    return file + image;
}

QByteArray Shipped() {
    QFile file(METRIVO_DATA_DIR "/HAND-M.CUR");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(CursorFile, ShippedHandPointer) {
    const QCursor cursor = CursorFile::Load(METRIVO_DATA_DIR "/HAND-M.CUR");
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(cursor.hotSpot(), QPoint(5, 0)) << "at the fingertip";
    const QImage image = cursor.pixmap().toImage();
    EXPECT_EQ(image.pixelColor(5, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(6, 3), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(31, 31).alpha(), 0);
    QFile placed(METRIVO_BIN_DIR "/HAND-M.CUR");
    ASSERT_TRUE(placed.open(QIODevice::ReadOnly)) << "the build puts it beside the program";
    EXPECT_EQ(placed.readAll(), Shipped());
}

TEST(CursorFile, ImageAndHotspotFromTheFile) {
    for (const auto& [size, hotspot] : std::vector<std::pair<QSize, QPoint>>{
             {{32, 32}, {0, 0}}, {{32, 32}, {31, 31}}, {{16, 16}, {3, 12}}, {{48, 24}, {40, 2}}}) {
        const QCursor cursor =
            CursorFile::Decode(MakeCursor(size.width(), size.height(), hotspot.x(), hotspot.y()));
        EXPECT_EQ(cursor.pixmap().size(), size);
        EXPECT_EQ(cursor.hotSpot(), hotspot);
        EXPECT_EQ(cursor.pixmap().toImage().pixelColor(0, 0), QColor(Qt::red));
    }
}

// A cursor file whose one entry says `entry` pixels (0 for 256) and holds a
// PNG of `image`.
QByteArray PngCursor(int entry, QSize image) {
    QImage picture(image, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    QByteArray file(22, '\0');
    file = Patched(Patched(file, 2, 2, 2), 4, 1, 2);
    file = Patched(file, 6, uint32_t(entry & 0xff) | uint32_t(entry & 0xff) << 8, 2);
    file = Patched(Patched(file, 14, uint32_t(png.size())), 18, 22);
    return file + png;
}

TEST(CursorFile, APngImageOfTheEntrysSizeIsRead) {
    const QCursor cursor = CursorFile::Decode(PngCursor(32, {32, 32}));
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
}

struct InvalidCase {
    const char* name;
    QByteArray file;
};

void PrintTo(const InvalidCase& c, std::ostream* out) {
    *out << c.name;
}

class CursorFileInvalid : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(CursorFileInvalid, IsAnInvalidPicture) {
    EXPECT_THROW_MSG(CursorFile::Decode(GetParam().file), RunTimeError, "Invalid picture");
}

INSTANTIATE_TEST_SUITE_P(
    Files, CursorFileInvalid,
    ::testing::Values(
        InvalidCase{"empty", QByteArray()},
        InvalidCase{"text", QByteArray("not a cursor at all, only text ").repeated(9)},
        InvalidCase{"PNG file", QByteArray::fromHex("89504e470d0a1a0a0000000d494844520000")},
        InvalidCase{"cut in the header", Shipped().left(6)},
        InvalidCase{"cut in the entry", Shipped().left(21)},
        InvalidCase{"cut in the image", Shipped().left(60)},
        InvalidCase{"last byte missing", Shipped().chopped(1)},
        InvalidCase{"an icon", Patched(Shipped(), 2, 1, 2)},
        InvalidCase{"reserved word set", Patched(Shipped(), 0, 1, 2)},
        InvalidCase{"no images", Patched(Shipped(), 4, 0, 2)},
        InvalidCase{"more entries than the file holds", Patched(Shipped(), 4, 400, 2)},
        InvalidCase{"empty image", Patched(Shipped(), 14, 0)},
        InvalidCase{"image past the end", Patched(Shipped(), 14, 0xffffffffu)},
        InvalidCase{"offset past the end", Patched(Shipped(), 18, 0xfffffff0u)},
        InvalidCase{"image inside the directory", Patched(Shipped(), 18, 4)},
        InvalidCase{"bitmap header scrambled",
                    Shipped().left(22) + QByteArray(40, char(0xee)) + Shipped().mid(62)},
        InvalidCase{"hotspot outside the image", MakeCursor(32, 32, 32, 0)},
        InvalidCase{"no pixels", MakeCursor(0, 0, 0, 0)},
        InvalidCase{"PNG larger than its entry", PngCursor(32, {48, 32})},
        InvalidCase{"PNG of 2048 pixels in an entry of 32", PngCursor(32, {2048, 2048})},
        InvalidCase{"PNG beyond 256 pixels in an entry of 256", PngCursor(0, {300, 300})},
        InvalidCase{"bitmap wider than its entry", Patched(Shipped(), 26, 512)},
        InvalidCase{"bitmap taller than its entry", Patched(Shipped(), 30, 4096)},
        InvalidCase{"bitmap of no width", Patched(Shipped(), 26, 0)}),
    test::NameOfCase());

TEST(CursorFile, OnlyASmallRegularFileIsRead) {
    test::ScratchFolder folder;
    ASSERT_TRUE(folder.Make("large.cur", Entry::kFile,
                            MakeCursor(32, 32, 1, 1) + QByteArray(CursorFile::kMaxFileSize, '\0')));
    for (const auto& [at, kind] :
         std::vector<std::pair<std::string, Entry>>{{"folder", Entry::kFolder},
                                                    {"fifo", Entry::kFifo},
                                                    {"socket", Entry::kSocket},
                                                    {"dangling", Entry::kDanglingLink},
                                                    {"missing", Entry::kNone}}) {
        ASSERT_TRUE(folder.Make(at, kind));
        EXPECT_THROW(CursorFile::Load(folder.At(at)), RunTimeError) << at;
    }
    EXPECT_THROW(CursorFile::Load(folder.At("large.cur")), RunTimeError);
}

}  // namespace
}  // namespace metrivo
