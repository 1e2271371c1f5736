// Controls that show text: what they read back, what their native widgets show, and what the
// accessibility layer sees of them; list-box rows; placement inside another control.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <string>
#include <vector>

#include "fw/Canvas.h"
#include "fw/Label.h"
#include "fw/Listbox.h"
#include "fw/PushButton.h"
#include "fw/TextEdit.h"
#include "unit/framework/FrameworkTest.h"

namespace fwtest {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

class ControlTest : public FrameworkTest {};

struct RowsCase {
    std::string initialValue;
    std::vector<std::string> rows;
};

class ListboxRowsTest : public ControlTest, public ::testing::WithParamInterface<RowsCase> {};

TEST_P(ListboxRowsTest, RowsOfTheInitialValueWithoutLineEnds) {
    const RowsCase& c = GetParam();
    auto window = OpenWindow();
    // The design value is set before the control is constructed, as a design record does.
    auto list = fw::RuntimeCheckCast<fw::Listbox>(window->New(fw::Listbox::Lookup()));
    list->SetInitialValue(c.initialValue);
    window->AddControl("ListBox1", list);
    list->Constructor();

    EXPECT_EQ(list->InitialValue(), c.initialValue);
    ASSERT_EQ(list->ListCount(), static_cast<std::int64_t>(c.rows.size()));
    auto* native = qobject_cast<QListWidget*>(list->NativeHandle());
    ASSERT_NE(native, nullptr);
    ASSERT_EQ(native->count(), static_cast<int>(c.rows.size()));
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
        EXPECT_EQ(list->List(static_cast<std::int64_t>(i)), c.rows[i]) << i;
        EXPECT_EQ(native->item(static_cast<int>(i))->text(), Q(c.rows[i])) << i;
    }
    EXPECT_THROW(list->List(-1), fw::OutOfBoundsException);
    EXPECT_THROW(list->List(list->ListCount()), fw::OutOfBoundsException);
}

INSTANTIATE_TEST_SUITE_P(
    InitialValues, ListboxRowsTest,
    ::testing::Values(RowsCase{"", {}}, RowsCase{"\r\n", {""}},
                      RowsCase{"あきのたの　かりほのいほの\r\nはるすぎて　なつきにけらし\r\n",
                               {"あきのたの　かりほのいほの", "はるすぎて　なつきにけらし"}},
                      RowsCase{"a\r\nb", {"a", "b"}}, RowsCase{"a\nb\rc\r\n", {"a", "b", "c"}},
                      RowsCase{"a\r\n\r\nb\r\n", {"a", "", "b"}},
                      RowsCase{"a\r\r\nb", {"a", "", "b"}}));

TEST_F(ControlTest, FiftyDesignRowsReadBackInOrder) {
    std::string value;
    std::vector<std::string> lines;
    for (int i = 0; i < 50; ++i) {
        lines.push_back("うた" + std::to_string(i) + "　のこり");
        value += lines.back() + "\r\n";
    }
    auto window = OpenWindow();
    auto list = Place<fw::Listbox>(*window, "ListBox3", 0, 0, 100, 100);
    list->SetInitialValue(value);  // set after construction too
    ASSERT_EQ(list->ListCount(), 50);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(list->List(i), lines[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(qobject_cast<QListWidget*>(list->NativeHandle())->count(), 50);
}

TEST_F(ControlTest, TextsReadBackByteForByteAndShowOnTheWidgets) {
    auto window = OpenWindow(400, 300);
    auto label = Place<fw::Label>(*window, "Message", 10, 10, 200, 60);
    auto field = Place<fw::TextField>(*window, "TimeField", 10, 80, 100, 22);
    auto area = Place<fw::TextArea>(*window, "OdaiField", 10, 110, 300, 80);
    const std::string text = "総得点:\r\n100点　称号：なし";
    label->SetText(text);
    field->SetText("3.712345");
    area->SetText(text);
    EXPECT_EQ(label->Text(), text);
    EXPECT_EQ(field->Text(), "3.712345");
    EXPECT_EQ(area->Text(), text);

    auto* qlabel = qobject_cast<QLabel*>(label->NativeHandle());
    ASSERT_NE(qlabel, nullptr);
    EXPECT_EQ(qlabel->text(), Q("総得点: 100点　称号：なし"));  // one line
    label->SetMultiLine(true);
    EXPECT_EQ(qlabel->text(), Q("総得点:\n100点　称号：なし"));
    EXPECT_EQ(label->Text(), text);
    EXPECT_EQ(qobject_cast<QLineEdit*>(field->NativeHandle())->text(), Q("3.712345"));
    EXPECT_EQ(qobject_cast<QPlainTextEdit*>(area->NativeHandle())->toPlainText(),
              Q("総得点:\n100点　称号：なし"));

    area->SetText("");
    EXPECT_EQ(area->Text(), "");
    EXPECT_TRUE(qobject_cast<QPlainTextEdit*>(area->NativeHandle())->toPlainText().isEmpty());
}

TEST_F(ControlTest, TypingIsWhatTextReads) {
    auto window = OpenWindow();
    auto field = Place<fw::TextField>(*window, "MyField", 10, 10, 100, 22);
    field->SetText("1");
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QKeyEvent two(QEvent::KeyPress, Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
    QApplication::sendEvent(field->NativeHandle(), &end);
    QApplication::sendEvent(field->NativeHandle(), &two);
    EXPECT_EQ(field->Text(), "12");
    field->SetText("0");  // the program's own text replaces what was typed
    EXPECT_EQ(field->Text(), "0");
    EXPECT_EQ(qobject_cast<QLineEdit*>(field->NativeHandle())->text(), QStringLiteral("0"));
}

TEST_F(ControlTest, VisibleShowsAndHidesTheWidget) {
    auto window = OpenWindow();
    auto label = Place<fw::Label>(*window, "Label1", 10, 10, 100, 30);
    label->SetText("正解");
    label->SetVisible(false);
    EXPECT_FALSE(label->Visible());
    EXPECT_FALSE(label->NativeHandle()->isVisible());
    label->SetVisible(true);
    EXPECT_TRUE(label->NativeHandle()->isVisible());
    EXPECT_EQ(label->NativeHandle()->geometry(), QRect(10, 10, 100, 30));
}

// Screen readers see each control as a standard widget with its text.
TEST_F(ControlTest, AccessibilityLayerSeesEachControlWithItsText) {
    auto window = OpenWindow(400, 300);
    auto label = Place<fw::Label>(*window, "StaticText3", 10, 10, 100, 20);
    auto button = Place<fw::PushButton>(*window, "StartButton", 10, 40, 80, 24);
    auto field = Place<fw::TextField>(*window, "ScoreFiled", 10, 70, 80, 22);
    auto area = Place<fw::TextArea>(*window, "OdaiField", 10, 100, 200, 60);
    label->SetText("得点:");
    button->SetCaption("開始");
    field->SetText("0");
    area->SetText("あきのたの");

    struct Case {
        QWidget* widget;
        QAccessible::Role role;
        QAccessible::Text kind;
        QString text;
    };
    for (const Case& c : std::vector<Case>{
             {label->NativeHandle(), QAccessible::StaticText, QAccessible::Name, Q("得点:")},
             {button->NativeHandle(), QAccessible::Button, QAccessible::Name, Q("開始")},
             {field->NativeHandle(), QAccessible::EditableText, QAccessible::Value, Q("0")},
             {area->NativeHandle(), QAccessible::EditableText, QAccessible::Value,
              Q("あきのたの")}}) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(c.widget);
        ASSERT_NE(accessible, nullptr) << c.text.toStdString();
        EXPECT_EQ(accessible->role(), c.role) << c.text.toStdString();
        EXPECT_EQ(accessible->text(c.kind), c.text);
    }
    // The window's own interface holds them among its children.
    QAccessibleInterface* content = QAccessible::queryAccessibleInterface(window->NativeHandle());
    ASSERT_NE(content, nullptr);
    EXPECT_GE(content->childCount(), 4);
}

TEST_F(ControlTest, InitialParentNamesAControlOnTheWindow) {
    auto window = OpenWindow();
    auto frame = Place<fw::Canvas>(*window, "CardCanvas", 30, 40, 90, 170, 1);
    auto face = Place<fw::Canvas>(*window, "FudaCanvas", 40, 45, 70, 160, 1, "CardCanvas$1");
    EXPECT_EQ(face->Parent(), frame);
    EXPECT_EQ(face->NativeHandle()->parentWidget(), frame->NativeHandle());
    EXPECT_EQ(face->NativeHandle()->geometry(), QRect(10, 5, 70, 160));  // relative to the frame
    EXPECT_EQ(face->Left(), 40);                                         // in window coordinates
    EXPECT_THROW(face->SetInitialParent("CardCanvas$9"), fw::NilObjectException);
    EXPECT_THROW(face->SetInitialParent("CardCanvas$x"), fw::InvalidArgumentException);
    EXPECT_THROW(face->SetInitialParent("FudaCanvas$1"), fw::NilObjectException);  // itself
    // A name that finds nothing leaves the face inside its frame, placed from the frame.
    EXPECT_EQ(face->Parent(), frame);
    EXPECT_EQ(face->InitialParent(), "CardCanvas$1");
    face->SetLeft(41);
    EXPECT_EQ(face->NativeHandle()->geometry(), QRect(11, 5, 70, 160));
    face->SetLeft(40);
    // Nor may the frame move inside its own face, or inside a control within the face.
    auto mark = Place<fw::Canvas>(*window, "Mark", 45, 50, 10, 10, fw::kNoIndex, "FudaCanvas$1");
    EXPECT_THROW(frame->SetInitialParent("FudaCanvas$1"), fw::InvalidArgumentException);
    EXPECT_THROW(frame->SetInitialParent("Mark"), fw::InvalidArgumentException);
    EXPECT_EQ(frame->Parent(), nullptr);
    EXPECT_EQ(frame->NativeHandle()->parentWidget(), window->NativeHandle());
    face->SetInitialParent("");
    EXPECT_EQ(face->Parent(), nullptr);
    EXPECT_EQ(face->NativeHandle()->parentWidget(), window->NativeHandle());
    EXPECT_EQ(face->NativeHandle()->geometry(), QRect(40, 45, 70, 160));
}

}  // namespace
}  // namespace fwtest
