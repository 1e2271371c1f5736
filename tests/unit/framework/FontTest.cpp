// Fonts: design font names keep their bytes and render with an installed face of their style.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QWidget>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fw/Font.h"
#include "fw/Label.h"
#include "fw/Listbox.h"
#include "fw/PushButton.h"
#include "fw/TextEdit.h"
#include "unit/framework/FrameworkTest.h"

namespace fwtest {
namespace {

// The installed faces of each style.
const char* const kMincho = "IPAMincho";
const char* const kBrush = "AoyagiKouzanFontT";
const char* const kGothic = "IPAGothic";

struct FontCase {
    std::string designName;
    const char* face;
};

const std::vector<FontCase> kCases = {
    {"MS 明朝", kMincho},
    {"MS明朝", kMincho},
    {"平成明朝", kMincho},
    {"平成明朝\r\n", kMincho},
    {"魚石行書", kBrush},
    {"System", kGothic},
    {"NoSuchFaceAnywhere", kGothic},
};

// The face chosen on machines that list these families (the names their font lists give).
struct Machine {
    std::string name;
    std::set<std::string, std::less<>> families;
    std::vector<FontCase> choices;
};

const std::vector<Machine> kMachines = {
    {"Japanese Windows",
     {"ＭＳ 明朝", "ＭＳ ゴシック", "游明朝", "メイリオ", "Meiryo UI", "Yu Gothic UI",
      "MS UI Gothic", "System"},
     {{"MS 明朝", "ＭＳ 明朝"},
      {"MS明朝", "ＭＳ 明朝"},
      {"ＭＳ 明朝", "ＭＳ 明朝"},
      {"ＭＳ明朝", "ＭＳ 明朝"},
      {"平成明朝\r\n", "ＭＳ 明朝"},
      {"魚石行書", "ＭＳ 明朝"},   // no brush face: a mincho one
      {"System", "Yu Gothic UI"},  // not the bitmap face of that name
      {"メイリオ", "メイリオ"},
      {"NoSuchFaceAnywhere", "Yu Gothic UI"}}},
    {"English Windows with Yu Mincho",
     {"Yu Mincho", "Yu Gothic", "Yu Gothic UI", "MS UI Gothic", "Segoe UI", "System"},
     {{"MS 明朝", "Yu Mincho"},
      {"ＭＳ明朝", "Yu Mincho"},
      {"平成明朝", "Yu Mincho"},
      {"魚石行書", "Yu Mincho"},
      {"System", "Yu Gothic UI"}}},
    {"Windows with MS Mincho only",
     {"MS Mincho", "MS UI Gothic", "System"},
     {{"MS 明朝", "MS Mincho"},
      {"平成明朝", "MS Mincho"},
      {"魚石行書", "MS Mincho"},
      {"System", "MS UI Gothic"},
      {"", "MS UI Gothic"}}},
    {"Windows with no mincho face",
     {"Yu Gothic UI", "Meiryo UI", "Segoe UI", "System"},
     {{"MS明朝", "Yu Gothic UI"}, {"魚石行書", "Yu Gothic UI"}, {"System", "Yu Gothic UI"}}},
    {"Linux with the IPA faces",
     {"IPAMincho", "IPAPMincho", "IPAGothic", "AoyagiKouzanFontT", "DejaVu Sans"},
     {{"MS 明朝", kMincho},
      {"ＭＳ 明朝", kMincho},
      {"平成明朝\r\n", kMincho},
      {" 魚石行書\t", kBrush},
      {"System", kGothic},
      {"MS UI Gothic", kGothic},
      {"IPAPMincho", "IPAPMincho"},
      {" DejaVu Sans\r\n", "DejaVu Sans"},
      {"NoSuchFaceAnywhere", kGothic},
      {"\r\n", kGothic}}},
    // Wine under a Japanese locale lists the host's faces by their Japanese names.
    {"Japanese Wine",
     {"IPA明朝", "IPAゴシック", "青柳衡山フォントT"},
     {{"MS明朝", "IPA明朝"}, {"魚石行書", "青柳衡山フォントT"}, {"System", "IPAゴシック"}}},
    {"a machine with the design's own faces",
     {"平成明朝", "魚石行書", "IPAMincho", "IPAGothic"},
     {{"平成明朝\r\n", "平成明朝"}, {"魚石行書", "魚石行書"}, {"MS 明朝", kMincho}}},
    {"a machine with none of them",
     {"DejaVu Sans", "System"},
     {{"MS 明朝", ""}, {"魚石行書", ""}, {"System", ""}, {"NoSuchFaceAnywhere", ""}}},
};

TEST(FontChoiceTest, EachMachineGetsTheBestFaceItHas) {
    for (const Machine& machine : kMachines) {
        const fw::FamilyInstalled installed = [&](std::string_view family) {
            return machine.families.contains(family);
        };
        for (const FontCase& c : machine.choices)
            EXPECT_EQ(fw::ChooseRenderFamily(c.designName, installed), c.face)
                << machine.name << ": " << c.designName;
    }
}

class FontTest : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        for (const char* face : {kMincho, kBrush, kGothic})
            ASSERT_TRUE(QFontDatabase::hasFamily(QString::fromLatin1(face)))
                << face << " is not installed (scripts/setup installs it)";
    }
};

TEST_F(FontTest, DesignNamesMapToInstalledFacesOfTheirStyle) {
    for (const FontCase& c : kCases)
        EXPECT_EQ(fw::RenderFamilyFor(c.designName), c.face) << c.designName;
    EXPECT_EQ(fw::RenderFamilyFor("IPAPMincho"), "IPAPMincho");  // an installed face is itself
    EXPECT_EQ(fw::RenderFamilyFor(""), kGothic);
}

// The machine's answers are remembered for a few dozen names only; past them a name is still
// looked up, not taken as missing.
TEST_F(FontTest, NamesBeyondTheRememberedOnesAreStillLookedUp) {
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(fw::RenderFamilyFor("NoSuchFace" + std::to_string(i)), kGothic) << i;
    EXPECT_EQ(fw::RenderFamilyFor("IPAPGothic"), "IPAPGothic");
    EXPECT_EQ(fw::RenderFamilyFor("魚石行書"), kBrush);
}

// Every control that shows text: the property reads back byte for byte, and the widget renders
// with the mapped face (the face Qt actually matched, not only the one asked for).
TEST_F(FontTest, ControlsKeepTheNameAndRenderWithTheFace) {
    auto window = OpenWindow(400, 300);
    struct Control {
        std::string kind;
        fw::FontStyled* font;
        QWidget* widget;
    };
    auto label = Place<fw::Label>(*window, "StaticText1", 0, 0, 80, 20);
    auto area = Place<fw::TextArea>(*window, "OdaiField", 0, 30, 200, 60);
    auto field = Place<fw::TextField>(*window, "TimeField", 0, 100, 80, 22);
    auto button = Place<fw::PushButton>(*window, "StartButton", 0, 130, 80, 24);
    auto list = Place<fw::Listbox>(*window, "ListBox1", 100, 130, 80, 60);
    const std::vector<Control> controls = {{"Label", label.get(), label->NativeHandle()},
                                           {"TextArea", area.get(), area->NativeHandle()},
                                           {"TextField", field.get(), field->NativeHandle()},
                                           {"PushButton", button.get(), button->NativeHandle()},
                                           {"Listbox", list.get(), list->NativeHandle()}};
    for (const Control& control : controls) {
        EXPECT_EQ(control.font->FontName(), "System") << control.kind;  // the default
        for (const FontCase& c : kCases) {
            control.font->SetFontName(c.designName);
            EXPECT_EQ(control.font->FontName(), c.designName) << control.kind;
            EXPECT_EQ(QFontInfo(control.widget->font()).family(), QString::fromLatin1(c.face))
                << control.kind << " " << c.designName;
        }
    }
}

TEST_F(FontTest, FontSetBeforeConstructionAppliesWhenTheWidgetIsMade) {
    auto window = OpenWindow();
    auto label = fw::RuntimeCheckCast<fw::Label>(window->New(fw::Label::Lookup()));
    label->SetFontName("MS明朝");
    label->SetFontSize(14.0f);
    label->SetBold(true);
    window->AddControl("Message", label);
    label->Constructor();
    const QFont font = label->NativeHandle()->font();
    EXPECT_EQ(QFontInfo(font).family(), QString::fromLatin1(kMincho));
    EXPECT_EQ(font.pixelSize(), 14);  // the default unit counts in pixels
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(label->FontName(), "MS明朝");
    EXPECT_FLOAT_EQ(label->FontSize(), 14.0f);
}

}  // namespace
}  // namespace fwtest
