// Geometry from a hostile design record: extreme Left, Top, Width and Height on controls with
// native widgets, alone and inside another control. The values are clamped and the native
// rectangle follows; the sanitizer run shows that no arithmetic on the way overflows.
#include <gtest/gtest.h>

#include <QRect>
#include <QWidget>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "fw/Canvas.h"
#include "fw/DesignRecord.h"
#include "fw/Label.h"
#include "fw/Listbox.h"
#include "fw/PushButton.h"
#include "fw/Separator.h"
#include "fw/TextEdit.h"
#include "unit/framework/FrameworkTest.h"

namespace fwtest {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kBound = fw::RectControl::kMaxCoordinate;

// A value a record gives, and what Left or Top, and Width or Height, read back after it.
struct Extreme {
    std::int64_t given, position, extent;
};

const Extreme kExtremes[] = {
    {kMin, -kBound, 0},
    {kMax, kBound, kBound},
    {kIntMin, -kBound, 0},
    {kIntMin - 1, -kBound, 0},
    {kIntMax, kBound, kBound},
    {kIntMax + 1, kBound, kBound},
    {-kBound - 1, -kBound, 0},
    {kBound + 1, kBound, kBound},
    {-kBound, -kBound, 0},
    {kBound, kBound, kBound},
    {-7, -7, 0},
    {7, 7, 7},
};

std::string GeometryRecord(const fw::ClassRecord& cls, std::int64_t left, std::int64_t top,
                           std::int64_t width, std::int64_t height, const std::string& parent,
                           bool parentFirst) {
    fw::DesignRecordWriter writer(cls);
    if (parentFirst) writer.String("InitialParent", parent);
    writer.Integer("Left", left)
        .Integer("Top", top)
        .Integer("Width", width)
        .Integer("Height", height);
    if (!parentFirst) writer.String("InitialParent", parent);
    return writer.Bytes();
}

std::shared_ptr<fw::RectControl> Make(fw::Window& window, const fw::ClassRecord& cls,
                                      const std::string& name) {
    auto control = fw::RuntimeCheckCast<fw::RectControl>(window.New(cls));
    window.AddControl(name, control);
    control->Constructor();
    return control;
}

class GeometryTest : public FrameworkTest {};

// Every control class with a native widget; each lies inside a frame at an ordinary place,
// inside a frame that a record put at the extremes itself, and on the window. The enclosing
// control is named after the geometry (first: Left = -2^63, then InitialParent) and before it,
// as records may order their entries.
TEST_F(GeometryTest, ExtremeGeometryFromARecordIsClampedAndReachesTheWidget) {
    auto window = OpenWindow();
    auto frame = Make(*window, fw::Canvas::Lookup(), "Frame");
    fw::SetProperties(*frame, GeometryRecord(fw::Canvas::Lookup(), 30, 40, 90, 170, "", false));
    auto farFrame = Make(*window, fw::Canvas::Lookup(), "FarFrame");
    fw::SetProperties(*farFrame,
                      GeometryRecord(fw::Canvas::Lookup(), kMin, kMax, kMax, kMin, "", false));
    EXPECT_EQ(farFrame->Left(), -kBound);
    EXPECT_EQ(farFrame->Top(), kBound);
    EXPECT_EQ(farFrame->Width(), kBound);
    EXPECT_EQ(farFrame->Height(), 0);
    EXPECT_EQ(farFrame->NativeHandle()->geometry(), QRect(-kBound, kBound, kBound, 0));

    const std::vector<const fw::ClassRecord*> classes = {
        &fw::Canvas::Lookup(),    &fw::Label::Lookup(),    &fw::PushButton::Lookup(),
        &fw::TextField::Lookup(), &fw::TextArea::Lookup(), &fw::Listbox::Lookup(),
        &fw::Separator::Lookup()};
    int made = 0;
    for (const fw::ClassRecord* cls : classes) {
        for (const auto& enclosing : {frame, farFrame, std::shared_ptr<fw::RectControl>()}) {
            for (bool parentFirst : {false, true}) {
                const std::string parent = enclosing ? enclosing->Name() : "";
                SCOPED_TRACE(cls->Name() + " in \"" + parent + "\"" +
                             (parentFirst ? ", parent first" : ""));
                auto control = Make(*window, *cls, "Control" + std::to_string(++made));
                const std::int64_t dx = enclosing ? enclosing->Left() : 0;
                const std::int64_t dy = enclosing ? enclosing->Top() : 0;
                for (const Extreme& left : kExtremes) {
                    for (const Extreme& other : {kExtremes[0], kExtremes[1]}) {
                        SCOPED_TRACE("Left, Width " + std::to_string(left.given) +
                                     "; Top, Height " + std::to_string(other.given));
                        fw::SetProperties(*control,
                                          GeometryRecord(*cls, left.given, other.given, left.given,
                                                         other.given, parent, parentFirst));
                        EXPECT_EQ(control->Parent(), enclosing);
                        EXPECT_EQ(control->Left(), left.position);
                        EXPECT_EQ(control->Top(), other.position);
                        EXPECT_EQ(control->Width(), left.extent);
                        EXPECT_EQ(control->Height(), other.extent);
                        QWidget* native = control->NativeHandle();
                        ASSERT_NE(native, nullptr);
                        EXPECT_EQ(native->parentWidget(),
                                  enclosing ? enclosing->NativeHandle() : window->NativeHandle());
                        EXPECT_EQ(native->geometry(), QRect(static_cast<int>(left.position - dx),
                                                            static_cast<int>(other.position - dy),
                                                            static_cast<int>(left.extent),
                                                            static_cast<int>(other.extent)));
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace fwtest
