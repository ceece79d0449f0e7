#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "applicationicon.h"

namespace metrivo {
namespace {

class ApplicationIconTest : public ::testing::TestWithParam<IconImage> {};

// The pixels built into the program are those of the installed PNG image of
// the same size, and the tile keeps its transparent rounded corners.
TEST_P(ApplicationIconTest, IsThePngImageOfItsSize) {
    const IconImage& icon = GetParam();
    const QImage built(reinterpret_cast<const uchar*>(icon.premultipliedArgb), icon.size, icon.size,
                       QImage::Format_ARGB32_Premultiplied);
    const QImage png =
        QImage(QStringLiteral(METRIVO_ICON_DIR "/%1x%1/apps/metrivo.png").arg(icon.size))
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(built, png);
    const int last = icon.size - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
        EXPECT_EQ(qAlpha(built.pixel(x, y)), 0) << x << "," << y;
    }
    EXPECT_EQ(qAlpha(built.pixel(icon.size / 2, icon.size / 2)), 255);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ApplicationIconTest, ::testing::ValuesIn(kApplicationIcon),
                         [](const auto& info) { return std::to_string(info.param.size) + "px"; });

TEST(ApplicationIconTest, HoldsTheFourSizesInOrder) {
    std::vector<int> sizes;
    for (const IconImage& icon : kApplicationIcon) sizes.push_back(icon.size);
    EXPECT_EQ(sizes, (std::vector<int>{32, 48, 128, 256}));
}

}  // namespace
}  // namespace metrivo
