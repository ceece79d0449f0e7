// A skin may change how the window looks, never what it does or stores: the
// filter in front of the style sheet, the images it may name, and the fixed
// size of the window under any skin.
#include "skinfilter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QWidget>
#include <optional>
#include <string>
#include <utility>

#include "casename.h"
#include "scratchfolder.h"
#include "skinengine.h"
#include "skinimages.h"
#include "skinloader.h"

namespace metrivo {
namespace {

using test::Entry;
using test::NameOfCase;

// Accepts "ok.png" and "dir/ok.png" as images of the skin.
std::optional<std::string> TestResolver(std::string_view url) {
    if (url == "ok.png" || url == "dir/ok.png") return "/copies/" + std::string(url);
    return std::nullopt;
}

struct FilterCase {
    const char* name;
    std::string sheet;
    std::string kept;
};

void PrintTo(const FilterCase& c, std::ostream* out) {
    *out << c.name;
}

class SkinFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(SkinFilterTest, KeepsTheLookAndNothingElse) {
    const FilterCase& c = GetParam();
    const std::optional<std::string> kept = SkinFilter::Filter(c.sheet, TestResolver);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(*kept, c.kept);
    // What is kept passes again unchanged.
    EXPECT_EQ(SkinFilter::Filter(*kept,
                                 [](std::string_view url) {
                                     return std::optional<std::string>(std::string(url));
                                 }),
              kept);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, SkinFilterTest,
    ::testing::Values(
        FilterCase{"colours and borders",
                   "QGroupBox { background-color: #323a45; border: 1px solid #4a5564; }",
                   "QGroupBox {\n    background-color: #323a45;\n    border: 1px solid "
                   "#4a5564;\n}\n"},
        FilterCase{"selectors of every kind",
                   "QWidget#Form1, .QLabel, QComboBox QAbstractItemView, QDialog > "
                   "QPushButton[flat=\"false\"], QRadioButton::indicator:checked:!hover { "
                   "color: red }",
                   "QWidget#Form1, .QLabel, QComboBox QAbstractItemView, QDialog > "
                   "QPushButton[flat=\"false\"], QRadioButton::indicator:checked:!hover {\n"
                   "    color: red;\n}\n"},
        FilterCase{"gradients and fonts",
                   "QPushButton { background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, "
                   "stop: 0 #4f7fae, stop: 1 #3d6f9e); font: bold 10pt 'Liberation Sans'; }",
                   "QPushButton {\n    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, "
                   "y2: 1, stop: 0 #4f7fae, stop: 1 #3d6f9e);\n    font: bold 10pt \"Liberation "
                   "Sans\";\n}\n"},
        FilterCase{"comments go", "/* { */ QLabel /* x */ { color: /* y */ blue; }",
                   "QLabel {\n    color: blue;\n}\n"},
        FilterCase{"property names in any case", "QLabel { COLOR: red; }",
                   "QLabel {\n    color: red;\n}\n"},
        FilterCase{"images through the resolver",
                   "QWidget { background-image: url(ok.png); border-image: url('dir/ok.png') 4 4 "
                   "4 4 stretch; }",
                   "QWidget {\n    background-image: url(\"/copies/ok.png\");\n    border-image: "
                   "url(\"/copies/dir/ok.png\") 4 4 4 4 stretch;\n}\n"},
        FilterCase{"behaviour goes, the look stays",
                   "QComboBox { qproperty-currentIndex: 7; color: red; }\n"
                   "QLineEdit#Text1 { qproperty-maxLength: 2; }\n"
                   "QLabel { QPROPERTY-text: \"x\"; messagebox-text-interaction-flags: 5; "
                   "lineedit-password-character: 42; }",
                   "QComboBox {\n    color: red;\n}\n"},
        FilterCase{"sizes that would break the window",
                   "QWidget#Form1 { min-width: 100000px; min-height: 100000px; }\n"
                   "QComboBox { min-width: 16000000px; max-width: 1024px; }\n"
                   "QLabel { font-size: 800pt; margin: 65em; padding: 1025; width: 2000%; }\n"
                   "QLineEdit { min-width: 1e5px; spacing: -2000px; height: 768pt; }",
                   "QComboBox {\n    max-width: 1024px;\n}\nQLineEdit {\n    height: 768pt;\n}\n"},
        // Qt makes an em the font's height: at the largest font a sheet may
        // set, one em is more than the cap.
        FilterCase{"lengths in em or ex",
                   "QComboBox QAbstractItemView { font-size: 1024px; min-width: 1em; "
                   "min-height: 1EX; }\nQLabel { margin: 1em 2px; padding: 2px; }",
                   "QComboBox QAbstractItemView {\n    font-size: 1024px;\n}\nQLabel {\n    "
                   "padding: 2px;\n}\n"},
        FilterCase{"negative lengths but for margins and offsets",
                   "QWidget { min-width: -1px; max-height: -1px; padding: -1px; border: -1px "
                   "solid red; margin: -4px; top: -2px; outline-offset: -1px; }\nQLabel { "
                   "font-size: 0px; font: bold 0pt \"Liberation Sans\"; font-size: 1px; "
                   "background-color: qlineargradient(x1: 0, y1: -1, x2: 0, y2: 1, stop: 0 red, "
                   "stop: 1 blue); }",
                   "QWidget {\n    margin: -4px;\n    top: -2px;\n    outline-offset: -1px;\n}\n"
                   "QLabel {\n    font-size: 1px;\n    background-color: qlineargradient(x1: 0, "
                   "y1: -1, x2: 0, y2: 1, stop: 0 red, stop: 1 blue);\n}\n"},
        FilterCase{"images from elsewhere",
                   "QWidget { background-image: url(/tmp/fifo); image: url(../x.png); icon: "
                   "url(qrc:/a.png); color: red; }",
                   "QWidget {\n    color: red;\n}\n"},
        FilterCase{"escapes and at-rules",
                   "QLabel { q\\70 roperty-text: x; color: red; }\n@import url(ok.png);\n"
                   "@media screen { QLabel { color: blue; } }\nQLabel\\#x { color: green; }",
                   "QLabel {\n    color: red;\n}\n"},
        FilterCase{"unknown functions, units and marks",
                   "QLabel { color: expression(alert()); width: 10cm; color: red !important; "
                   "background: url(ok.png) / 2; border-width: 1px }",
                   "QLabel {\n    border-width: 1px;\n}\n"},
        FilterCase{"strings that could end a rule",
                   "QLabel { font-family: \"a;b\"; font-family: \"a}b\"; font-family: "
                   "'ok'; }\nQLabel[text=\"}\"] { color: red; }",
                   "QLabel {\n    font-family: \"ok\";\n}\n"},
        FilterCase{"declarations outside a block", "QLabel { color: blue; } color: red;",
                   "QLabel {\n    color: blue;\n}\n"},
        FilterCase{"text before a rule takes the rule with it",
                   "color: red; QLabel { color: blue; }", ""},
        FilterCase{"a rule left empty goes", "QLabel { } QLabel { qproperty-text: a; }", ""}),
    NameOfCase());

TEST(SkinFilterTest, RefusedWhole) {
    for (const char* sheet : {"QLabel { color: red; } /* open", "QLabel { color: red; ",
                              "QLabel { color: red; } }", "QLabel[text=\"open] { }"}) {
        EXPECT_FALSE(SkinFilter::Filter(sheet, TestResolver).has_value()) << sheet;
    }
    std::string many;
    for (std::size_t n = 0; n <= SkinFilter::kMaxSelectors; ++n) many += "QLabel:hover, ";
    EXPECT_FALSE(SkinFilter::Filter(many + "QLabel { color: red; }", TestResolver));
    EXPECT_TRUE(SkinFilter::Filter("QLabel:hover { color: red; }", TestResolver));
}

TEST(SkinFilterTest, TheShippedSkinsKeepEveryDeclaration) {
    for (const char* name : {"slate", "meadow"}) {
        const std::optional<QString> sheet =
            SkinEngine::ReadSkin(METRIVO_DATA_DIR "/skins/" + std::string(name) + "/o.cjs");
        ASSERT_TRUE(sheet) << name;
        const std::optional<std::string> kept = SkinFilter::Filter(sheet->toStdString(), {});
        ASSERT_TRUE(kept) << name;
        // Every declaration is one ';' in the shipped file and in the kept one.
        EXPECT_EQ(std::count(kept->begin(), kept->end(), ';'), sheet->count(u';')) << name;
    }
}

bool SaveImage(const test::ScratchFolder& folder, const std::string& at, QSize size,
               const char* format = "PNG") {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, format) && folder.Make(at, Entry::kFile, bytes);
}

TEST(SkinImagesTest, OnlyRegularImageFilesInsideTheSkinFolder) {
    test::ScratchFolder folder;
    ASSERT_TRUE(SaveImage(folder, "x/a.png", {10, 10}));
    ASSERT_TRUE(SaveImage(folder, "x/sub/b.jpg", {8, 4}, "JPEG"));
    ASSERT_TRUE(SaveImage(folder, "outside.png", {10, 10}));
    ASSERT_TRUE(folder.Make("x/fifo.png", Entry::kFifo));
    ASSERT_TRUE(folder.Make("x/folder.png", Entry::kFolder));
    ASSERT_TRUE(folder.Make("x/text.png", Entry::kFile, "not an image"));
    ASSERT_TRUE(folder.Make(
        "x/huge.png", Entry::kFile,
        QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(SkinImages::kMaxFileSize, '\0')));
    ASSERT_EQ(::symlink((folder.path() + "/outside.png").c_str(), folder.At("x/out.png").c_str()),
              0);
    ASSERT_EQ(::symlink("a.png", folder.At("x/in.png").c_str()), 0);

    SkinImages images(folder.At("x"));
    for (const char* refused :
         {"../outside.png", "out.png", "fifo.png", "folder.png", "text.png", "huge.png",
          "missing.png", "", "/dev/zero", ":/icons/metrivo-32.png", "file:a.png"}) {
        EXPECT_FALSE(images.Resolve(refused)) << refused;
    }
    const std::optional<std::string> a = images.Resolve("a.png");
    ASSERT_TRUE(a);
    EXPECT_EQ(QImage(QString::fromStdString(*a)).size(), QSize(10, 10));
    EXPECT_EQ(images.Resolve("./sub/../a.png"), a) << "one file, one copy";
    EXPECT_EQ(images.Resolve("in.png"), a) << "a link inside is the file it names";
    EXPECT_TRUE(images.Resolve("sub/b.jpg"));
    EXPECT_EQ(images.pixels(), 10 * 10 + 8 * 4);
    EXPECT_NE(a->find(QDir::tempPath().toStdString()), std::string::npos) << "a private copy";
}

TEST(SkinImagesTest, AllImagesTogetherStayWithinThePixelBudget) {
    test::ScratchFolder folder;
    ASSERT_TRUE(SaveImage(folder, "x/half.png", {1024, 512}));
    ASSERT_TRUE(SaveImage(folder, "x/half2.png", {512, 1024}));
    ASSERT_TRUE(SaveImage(folder, "x/one.png", {1, 1}));
    ASSERT_TRUE(SaveImage(folder, "x/big.png", {2000, 2000}));
    SkinImages images(folder.At("x"));
    EXPECT_FALSE(images.Resolve("big.png"));
    EXPECT_TRUE(images.Resolve("half.png"));
    EXPECT_TRUE(images.Resolve("half2.png"));
    EXPECT_EQ(images.pixels(), SkinImages::kMaxPixels);
    EXPECT_FALSE(images.Resolve("one.png"));
}

// An image in one of the accepted formats, its header saying `size`; the
// pixels are one colour, so that every file stays small.
QByteArray Encoded(const char* format, QSize size) {
    QImage image(size, QImage::Format_Mono);
    image.fill(1);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A GIF whose logical screen is `screen` and whose one frame is one pixel at
// the top left.
QByteArray Gif(QSize screen) {
    QByteArray gif("GIF89a");
    const auto add16 = [&gif](int value) {
        gif += static_cast<char>(value & 0xff);
        gif += static_cast<char>(value >> 8);
    };
    add16(screen.width());
    add16(screen.height());
    gif += QByteArray(
        "\x80\0\0"
        "\0\0\0\xff\xff\xff",
        9);  // two colours
    gif += ',';
    for (const int value : {0, 0, 1, 1}) add16(value);
    gif += QByteArray("\0\x02\x02\x44\x01\0;", 8);  // one pixel of colour 0, the end
    return gif;
}

struct BudgetCase {
    const char* name;
    QByteArray bytes;
    bool accepted;
};

void PrintTo(const BudgetCase& c, std::ostream* out) {
    *out << c.name;
}

// Every image format a skin may use, at the pixel budget and one row past it,
// measured by what Qt's decoder allocates for it.
class SkinImageBudgetTest : public ::testing::TestWithParam<BudgetCase> {};

TEST_P(SkinImageBudgetTest, TheBudgetHoldsForWhatDecodingAllocates) {
    const BudgetCase& c = GetParam();
    QBuffer buffer(const_cast<QByteArray*>(&c.bytes));
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    const QImage decoded = QImageReader(&buffer).read();
    ASSERT_FALSE(decoded.isNull());
    const std::int64_t decodedPixels = std::int64_t{decoded.width()} * decoded.height();
    ASSERT_EQ(decodedPixels <= SkinImages::kMaxPixels, c.accepted) << "the case is what it says";

    test::ScratchFolder folder;
    ASSERT_TRUE(folder.Make("x/image", Entry::kFile, c.bytes));
    SkinImages images(folder.At("x"));
    const std::optional<std::string> copy = images.Resolve("image");
    ASSERT_EQ(copy.has_value(), c.accepted);
    if (copy) {
        // The copy Qt is given decodes to what was counted.
        const QImage fromCopy(QString::fromStdString(*copy));
        EXPECT_EQ(std::int64_t{fromCopy.width()} * fromCopy.height(), images.pixels());
        EXPECT_EQ(images.pixels(), decodedPixels);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SkinImageBudgetTest,
    ::testing::Values(BudgetCase{"PNG at the budget", Encoded("PNG", {1024, 1024}), true},
                      BudgetCase{"PNG one row past", Encoded("PNG", {1024, 1025}), false},
                      BudgetCase{"JPEG at the budget", Encoded("JPEG", {1024, 1024}), true},
                      BudgetCase{"JPEG one row past", Encoded("JPEG", {1024, 1025}), false},
                      BudgetCase{"BMP at the budget", Encoded("BMP", {1024, 1024}), true},
                      BudgetCase{"BMP one row past", Encoded("BMP", {1024, 1025}), false},
                      BudgetCase{"GIF screen at the budget", Gif({1024, 1024}), true},
                      // Qt's reader takes a screen over ten times its frame and 200 pixels
                      // for a mistake and reports the frame; its decoder does not.
                      BudgetCase{"GIF screen wider than the reader believes at the budget",
                                 Gif({2048, 512}), true},
                      BudgetCase{"GIF screen wider than the reader believes one row past",
                                 Gif({2048, 513}), false}),
    NameOfCase());

TEST(SkinEngineLook, ImagesAreFoundInTheSkinFolderNotTheCurrentOne) {
    test::ScratchFolder program;
    test::ScratchFolder current;
    ASSERT_TRUE(SaveImage(program, "x/bg.png", {4, 4}));
    ASSERT_TRUE(current.Make("bg.png", Entry::kFifo));
    ASSERT_TRUE(program.Make("x/o.cjs", Entry::kFile,
                             "QWidget { background-image: url(bg.png); color: red; }"));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(current.path())));
    SkinImages images(program.At("x"));
    const std::optional<QString> look = SkinEngine::ReadLook(program.At("x/o.cjs"), images);
    QDir::setCurrent(before);
    ASSERT_TRUE(look);
    EXPECT_EQ(images.pixels(), 16);
    EXPECT_FALSE(look->contains(QString::fromStdString(current.path())));
}

TEST(SkinEngineLook, TheWindowKeepsItsFixedSize) {
    test::ScratchFolder folder;
    ASSERT_TRUE(folder.Make("x/o.cjs", Entry::kFile,
                            "QWidget { min-width: 1000px; min-height: 900px; max-width: 10px; "
                            "max-height: 10px; } QWidget#Form1 { width: 1000px; }"));
    QWidget window;
    window.setObjectName("Form1");
    window.setFixedSize(536, 331);
    SkinEngine skin;
    ApplySkinFile(window, skin, [&] { return folder.path(); });
    ASSERT_TRUE(skin.loaded());
    window.show();
    QApplication::processEvents();
    const auto pair = [](QSize size) { return std::pair(size.width(), size.height()); };
    EXPECT_EQ(pair(window.size()), std::pair(536, 331));
    EXPECT_EQ(pair(window.minimumSize()), std::pair(536, 331));
    EXPECT_EQ(pair(window.maximumSize()), std::pair(536, 331));
}

}  // namespace
}  // namespace metrivo
