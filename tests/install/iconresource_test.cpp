#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>

namespace {

struct IconCase {
    const char* path;
    int size;
};

void PrintTo(const IconCase& icon, std::ostream* out) { *out << icon.size << "px"; }

constexpr IconCase kIcons[] = {
    {":/icons/metrivo-32.png", 32},
    {":/icons/metrivo-48.png", 48},
    {":/icons/metrivo-128.png", 128},
    {":/icons/metrivo-256.png", 256},
};

class IconResourceTest : public ::testing::TestWithParam<IconCase> {};

TEST_P(IconResourceTest, LoadsAtItsSizeWithTransparentCorners) {
    const IconCase& icon = GetParam();
    const QImage image(QString::fromLatin1(icon.path));
    ASSERT_FALSE(image.isNull()) << icon.path;
    EXPECT_EQ(image.width(), icon.size);
    EXPECT_EQ(image.height(), icon.size);
    ASSERT_TRUE(image.hasAlphaChannel());
    // The tile has rounded corners: the corner pixels show what lies behind.
    const int last = icon.size - 1;
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(last, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(0, last)), 0);
    EXPECT_EQ(qAlpha(image.pixel(last, last)), 0);
    EXPECT_EQ(qAlpha(image.pixel(icon.size / 2, icon.size / 2)), 255);
}

INSTANTIATE_TEST_SUITE_P(Sizes, IconResourceTest, ::testing::ValuesIn(kIcons),
                         [](const auto& info) { return std::to_string(info.param.size); });

TEST(IconResourceTest, HoldsExactlyTheFourSizes) {
    const QStringList names = QDir(QStringLiteral(":/icons")).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(names, (QStringList{"metrivo-128.png", "metrivo-256.png", "metrivo-32.png",
                                  "metrivo-48.png"}));
}

}  // namespace
