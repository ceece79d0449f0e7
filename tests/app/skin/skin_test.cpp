#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <climits>
#include <cstdlib>

#include "casename.h"
#include "expectthrowmsg.h"
#include "recordingskin.h"
#include "scratchfolder.h"
#include "skinengine.h"
#include "skinfilter.h"
#include "skinloader.h"

namespace metrivo {
namespace {

using test::Entry;

// The main window's kinds of control, white where its layout makes them
// white: the window, the frame, the option button and the list.
struct TestWindow {
    TestWindow() {
        frame->setGeometry(0, 0, 200, 100);
        option->setGeometry(10, 20, 80, 20);
        for (QWidget* w : std::initializer_list<QWidget*>{&window, frame, option, list}) {
            QPalette white = w->palette();
            white.setColor(w->backgroundRole(), Qt::white);
            w->setPalette(white);
            w->setAutoFillBackground(true);
        }
    }
    // How each control paints its background; the first five take the
    // button face with a skin.
    std::vector<std::tuple<QPalette::ColorRole, bool, QColor>> Looks() {
        std::vector<std::tuple<QPalette::ColorRole, bool, QColor>> looks;
        for (QWidget* w : std::initializer_list<QWidget*>{&window, frame, option, check, label,
                                                          text, list, button}) {
            looks.emplace_back(w->backgroundRole(), w->autoFillBackground(),
                               w->palette().color(w->backgroundRole()));
        }
        return looks;
    }
    SkinFramework::WindowHandle Handle() { return SkinFramework::WindowHandle(window.winId()); }

    QWidget window;
    QGroupBox* frame = new QGroupBox("Frame", &window);
    QRadioButton* option = new QRadioButton("Option", frame);
    QCheckBox* check = new QCheckBox("Check", &window);
    QLabel* label = new QLabel("Label", &window);
    QLineEdit* text = new QLineEdit(&window);
    QComboBox* list = new QComboBox(&window);
    QPushButton* button = new QPushButton("Button", &window);
};

// The style may shade the inside of a frame a little.
bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) <=
           12;
}

struct LookupCase {
    const char* name;
    const char* at;
    Entry kind;
    bool found;
};

void PrintTo(const LookupCase& c, std::ostream* out) {
    *out << c.name;
}

class SkinLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(SkinLookup, OnlyARegularFileIsASkin) {
    const LookupCase& c = GetParam();
    test::ScratchFolder folder;
    ASSERT_TRUE(folder.Make(c.at, c.kind, "QWidget {}"));
    TestWindow w;
    test::RecordingSkin skin;
    auto looks = w.Looks();
    ApplySkinFile(w.window, skin, [&] { return folder.path(); });

    EXPECT_EQ(skin.accesses.size(), c.found ? 6u : 0u);
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    for (std::size_t i = 0; c.found && i < 5; ++i) looks[i] = {QPalette::Button, true, buttonFace};
    EXPECT_EQ(w.Looks(), looks);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SkinLookup,
    ::testing::Values(LookupCase{"other folder", "y/o.cjs", Entry::kFile, false},
                      LookupCase{"other name", "x/other", Entry::kFile, false},
                      LookupCase{"a folder", "x/o.cjs", Entry::kFolder, false},
                      LookupCase{"a FIFO", "x/o.cjs", Entry::kFifo, false},
                      LookupCase{"a socket", "x/o.cjs", Entry::kSocket, false},
                      LookupCase{"a dangling link", "x/o.cjs", Entry::kDanglingLink, false},
                      LookupCase{"a link to a file", "x/o.cjs", Entry::kLinkToFile, true},
                      LookupCase{"a file", "x/o.cjs", Entry::kFile, true}),
    test::NameOfCase());

TEST(ApplySkinFile, AccessesInOrderWithTheirValues) {
    for (const auto& [read, written] : std::vector<std::pair<int32_t, int32_t>>{
             {0, 1}, {1, 1}, {6, 7}, {-2, -1}, {INT_MIN, INT_MIN + 1}}) {
        test::ScratchFolder first, second;
        ASSERT_TRUE(first.Make("x/o.cjs", Entry::kFile, "not a style sheet {"));
        int readings = 0;  // the folder is read afresh for the load
        TestWindow w;
        test::RecordingSkin skin;
        skin.options = read;
        ApplySkinFile(w.window, skin,
                      [&] { return ++readings == 1 ? first.path() : second.path(); });
        const std::vector<std::string> expected{
            "call 2(\"" + second.At("x/o.cjs") + "\", \"\")",
            "get 1",
            "put 1 = " + std::to_string(written),
            "put 5 = true",
            "put 10 = true",
            "call 3(handle " + std::to_string(static_cast<std::uintptr_t>(w.Handle())) + ")"};
        EXPECT_EQ(skin.accesses, expected);
    }
}

TEST(ApplySkinFile, FailureEndsItWhereItHappens) {
    for (const auto& [member, accesses] : std::vector<std::pair<int32_t, std::size_t>>{
             {2, 1}, {1, 2}, {5, 4}, {10, 5}, {3, 6}, {0, 2}}) {
        test::ScratchFolder folder;
        ASSERT_TRUE(folder.Make("x/o.cjs", Entry::kFile));
        TestWindow w;
        test::RecordingSkin skin;
        skin.refused = member;
        if (member == 0) skin.options = true;  // flags that are no number
        EXPECT_THROW(ApplySkinFile(w.window, skin, [&] { return folder.path(); }), RunTimeError);
        EXPECT_EQ(skin.accesses.size(), accesses) << member;
        EXPECT_EQ(w.frame->backgroundRole(), QPalette::Button) << "the colours stay changed";
    }
}

TEST(ApplySkinFile, ButtonFaceFollowsTheSystemColour) {
    test::ScratchFolder folder;
    ASSERT_TRUE(folder.Make("x/o.cjs", Entry::kFile));
    TestWindow w;
    test::RecordingSkin skin;
    ApplySkinFile(w.window, skin, [&] { return folder.path(); });

    const QPalette saved = QApplication::palette();
    QPalette system = saved;
    system.setColor(QPalette::Button, QColor(10, 120, 230));
    QApplication::setPalette(system);
    QCoreApplication::processEvents();
    const auto looks = w.Looks();
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(std::get<QColor>(looks[i]), QColor(10, 120, 230)) << i;
    EXPECT_TRUE(Near(w.frame->grab().toImage().pixelColor(180, 80), QColor(10, 120, 230)));
    EXPECT_EQ(std::get<QColor>(looks[6]), QColor(Qt::white)) << "the list stays white";
    QApplication::setPalette(saved);
}

TEST(SkinEngine, AppliesAUsableSkin) {
    test::ScratchFolder folder;
    const QByteArray sheet =
        "/* { */ QGroupBox { background-color: #123456; }\nQLabel { qproperty-text: \"}\"; }";
    ASSERT_TRUE(folder.Make("x/o.cjs", Entry::kFile, "\xEF\xBB\xBF" + sheet));
    TestWindow w;
    SkinEngine skin;
    ApplySkinFile(w.window, skin, [&] { return folder.path(); });
    // The look is kept, the property that is no look is not.
    EXPECT_EQ(w.window.styleSheet().toStdString(),
              "QGroupBox {\n    background-color: #123456;\n}\n");
    EXPECT_TRUE(Near(w.frame->grab().toImage().pixelColor(180, 80), QColor(0x12, 0x34, 0x56)));
    EXPECT_EQ(skin.Get(SkinFramework::kOptions), SkinFramework::Value(int32_t{1}));
    EXPECT_EQ(skin.Get(SkinFramework::kSecondSwitch), SkinFramework::Value(true));

    // A later file it cannot use loads nothing: applying then changes nothing.
    EXPECT_EQ(skin.Invoke(SkinFramework::kLoadSkin, {folder.At("x"), std::string()}),
              SkinFramework::Value(false));
    w.window.setStyleSheet("");
    skin.Invoke(SkinFramework::kApplySkin, {static_cast<int32_t>(w.window.winId())});
    EXPECT_TRUE(w.window.styleSheet().isEmpty());
}

struct BadFile {
    const char* name;
    QByteArray content;
};

void PrintTo(const BadFile& c, std::ostream* out) {
    *out << c.name;
}

class SkinEngineBadFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(SkinEngineBadFile, LeavesTheWindowAsItIs) {
    test::ScratchFolder folder;
    ASSERT_TRUE(folder.Make("x/o.cjs", Entry::kFile, GetParam().content));
    TestWindow w;
    w.window.setStyleSheet("QLabel { color: green; }");
    SkinEngine skin;
    EXPECT_NO_THROW(ApplySkinFile(w.window, skin, [&] { return folder.path(); }));
    EXPECT_FALSE(skin.loaded());
    EXPECT_EQ(w.window.styleSheet().toStdString(), "QLabel { color: green; }");
}

// A skin of 12,000 ":hover" rules would take seconds at every start.
QByteArray HoverRules(int count) {
    QByteArray rules;
    for (int n = 0; n < count; ++n)
        rules += "QWidget:hover { color: #" + QByteArray::number(n % 4096, 16) + "; }\n";
    return rules;
}

INSTANTIATE_TEST_SUITE_P(
    Files, SkinEngineBadFile,
    ::testing::Values(
        BadFile{"invalid UTF-8", "QWidget { color: red; } \xC3\x28"},
        BadFile{"Latin-1 in a string", "QLabel { qproperty-text: \"Gr\xFC\"; }"},
        BadFile{"block left open", "QWidget { color: red;"},
        BadFile{"brace too many", "QWidget { } }"},
        BadFile{"comment left open", "QWidget { } /* open"},
        BadFile{"string left open", "QLabel { qproperty-text: \"} ; }"},
        BadFile{"NUL character", QByteArray("QWidget { }\0", 12)}, BadFile{"empty", ""},
        BadFile{"blanks only", " \n\t "},
        BadFile{"one byte over the size limit",
                "QWidget { color: red; }" + QByteArray(SkinEngine::kMaxSkinSize - 22, ' ')},
        BadFile{"12000 hover rules", HoverRules(12000)},
        BadFile{"more selectors than allowed", HoverRules(SkinFilter::kMaxSelectors + 1)},
        BadFile{"nothing but behaviour", "QComboBox { qproperty-currentIndex: 7; }"},
        BadFile{"nothing but an image from elsewhere",
                "QWidget { background-image: url(/dev/zero); }"}),
    test::NameOfCase());

TEST(SkinEngine, UsableFiles) {
    test::ScratchFolder folder;
    ASSERT_TRUE(
        folder.Make("full", Entry::kFile,
                    "QWidget { color: red; }" + QByteArray(SkinEngine::kMaxSkinSize - 23, ' ')));
    EXPECT_TRUE(SkinEngine::ReadSkin(folder.At("full"))) << "exactly at the cap";
    for (const char* name : {"slate", "meadow"}) {
        EXPECT_TRUE(SkinEngine::ReadSkin(METRIVO_DATA_DIR "/skins/" + std::string(name) + "/o.cjs"))
            << name;
    }
}

TEST(SkinEngine, RefusesWhatItDoesNotHave) {
    using V = SkinFramework::Value;
    const std::string invalidCall = "Invalid procedure call or argument";
    const std::string typeMismatch = "Type mismatch";
    const std::vector<std::pair<std::function<void(SkinEngine&)>, std::string>> cases{
        {[](SkinEngine& s) { s.Invoke(9, {}); }, invalidCall},
        {[](SkinEngine& s) { s.Get(SkinFramework::kLoadSkin); }, invalidCall},
        {[](SkinEngine& s) { s.Put(4, true); }, invalidCall},
        {[](SkinEngine& s) { s.Put(SkinFramework::kOptions, true); }, typeMismatch},
        {[](SkinEngine& s) { s.Put(SkinFramework::kFirstSwitch, V(std::string("on"))); },
         typeMismatch},
        {[](SkinEngine& s) { s.Invoke(SkinFramework::kLoadSkin, {int32_t{1}}); }, typeMismatch},
        {[](SkinEngine& s) {
             s.Invoke(SkinFramework::kApplySkin, {V(SkinFramework::WindowHandle{0x7ffffff0})});
         },
         invalidCall},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SkinEngine skin;
        EXPECT_THROW_MSG(cases[i].first(skin), RunTimeError, cases[i].second) << "case " << i;
    }
}

// An input the fuzzer found: a skin file whose last UTF-8 sequence is cut off
// is no UTF-8 text, however short; the decoder used to keep the cut bytes back
// as if more were coming.
TEST(FuzzRegression, SkinFileEndingInACutSequenceIsNotUsed) {
    QTemporaryDir folder;
    const QString path = folder.filePath("o.cjs");
    struct Case {
        const char* name;
        QByteArray content;
        bool used;
    };
    const Case cases[] = {
        {"the input the fuzzer found", "Q\xE6", false},
        {"cut after the lead byte of two", "QWidget { color: red; }\xC3", false},
        {"cut in a sequence of three", "QWidget { color: red; }\xE2\x82", false},
        {"cut in a sequence of four", "QWidget { color: red; }\xF0\x9F\x98", false},
        {"a whole sequence in a comment", "QWidget { color: red; } /* \xE2\x82\xAC */", true},
        {"one letter", "Q", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.content);
        file.close();
        EXPECT_EQ(SkinEngine::ReadSkin(path.toStdString()).has_value(), c.used);
    }
}

}  // namespace
}  // namespace metrivo
