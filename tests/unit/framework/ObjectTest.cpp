// Objects, arrays, checked casts, weak references and class records.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "fw/Array.h"
#include "fw/Canvas.h"
#include "fw/Label.h"
#include "fw/Menu.h"
#include "fw/Object.h"
#include "fw/Timer.h"
#include "fw/WeakRef.h"
#include "fw/Window.h"

namespace fwtest {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

TEST(ArrayTest, FixedBoundsWithZeroOrEmptyElements) {
    auto numbers = fw::CreateArray<std::int64_t>(9);
    auto texts = fw::CreateArray<std::string>(99);
    auto objects = fw::CreateArray<fw::ObjectRef>(2);
    ASSERT_EQ(numbers->Ubound(), 9);
    ASSERT_EQ(texts->Ubound(), 99);
    EXPECT_EQ(numbers->Count(), 10);
    EXPECT_EQ(texts->Count(), 100);
    for (std::int64_t i = 0; i <= 9; ++i) EXPECT_EQ((*numbers)(i), 0) << i;
    for (std::int64_t i = 0; i <= 99; ++i) EXPECT_EQ((*texts)(i), "") << i;
    for (std::int64_t i = 0; i <= 2; ++i) EXPECT_EQ((*objects)(i), nullptr) << i;

    (*numbers)(9) = 99;
    (*texts)(0) = "あ";
    EXPECT_EQ((*numbers)(9), 99);
    EXPECT_EQ((*texts)(0), "あ");
    EXPECT_EQ(numbers->Ubound(), 9);  // writing never moves the bounds
}

TEST(ArrayTest, IndexOutsideTheBoundsRaises) {
    struct Case {
        std::int64_t upperBound, index;
    };
    for (const Case& c :
         std::vector<Case>{{9, 10}, {9, -1}, {9, kMax}, {9, kMin}, {0, 1}, {-1, 0}, {-1, -1}}) {
        auto array = fw::CreateArray<std::int64_t>(c.upperBound);
        EXPECT_THROW((*array)(c.index), fw::OutOfBoundsException) << c.upperBound << " " << c.index;
        EXPECT_THROW((*array)(c.index) = 1, fw::OutOfBoundsException)
            << c.upperBound << " " << c.index;
        EXPECT_EQ(array->Ubound(), c.upperBound < 0 ? -1 : c.upperBound);
    }
}

TEST(ArrayTest, EmptyArrayGrowsByInsertAtUboundPlusOne) {
    auto all = fw::CreateArray<fw::ObjectRef>(-1);
    EXPECT_EQ(all->Ubound(), -1);
    EXPECT_EQ(all->Count(), 0);
    auto element = std::make_shared<fw::Timer>();
    all->Insert(all->Ubound() + 1, element);
    ASSERT_EQ(all->Ubound(), 0);
    EXPECT_EQ((*all)(0), element);

    EXPECT_THROW(all->Insert(-1, nullptr), fw::OutOfBoundsException);
    EXPECT_THROW(all->Insert(2, nullptr), fw::OutOfBoundsException);
    EXPECT_EQ(all->Ubound(), 0);
    all->Insert(0, nullptr);
    all->Append(nullptr);
    EXPECT_EQ(all->Ubound(), 2);
    EXPECT_EQ((*all)(1), element);
}

TEST(ArrayTest, NegativeAndHugeUpperBounds) {
    EXPECT_EQ(fw::CreateArray<std::int64_t>(kMin)->Ubound(), -1);
    EXPECT_THROW(fw::CreateArray<std::int64_t>(kMax), fw::OutOfBoundsException);
    EXPECT_THROW(fw::CreateArray<std::string>(kMax - 1), fw::OutOfBoundsException);
}

TEST(CheckCastTest, NothingStaysNothing) {
    EXPECT_EQ(fw::RuntimeCheckCast<fw::Canvas>(nullptr), nullptr);
    EXPECT_EQ(fw::RuntimeCheckCast<fw::Window>(nullptr), nullptr);
}

TEST(CheckCastTest, SameClassOrSubclassPassesTheSameObject) {
    fw::ObjectRef canvas = std::make_shared<fw::Canvas>();
    EXPECT_EQ(fw::RuntimeCheckCast<fw::Canvas>(canvas), canvas);
    EXPECT_EQ(fw::RuntimeCheckCast<fw::RectControl>(canvas), canvas);
    EXPECT_EQ(fw::RuntimeCheckCast<fw::Control>(canvas), canvas);
    EXPECT_EQ(fw::RuntimeCheckCast<fw::Object>(canvas), canvas);
    fw::ObjectRef quit = std::make_shared<fw::QuitMenuItem>();
    EXPECT_EQ(fw::RuntimeCheckCast<fw::MenuItem>(quit), quit);
}

TEST(CheckCastTest, AnotherClassRaisesNamingBoth) {
    fw::ObjectRef label = std::make_shared<fw::Label>();
    try {
        fw::RuntimeCheckCast<fw::Canvas>(label);
        ADD_FAILURE() << "a Label passed as a Canvas";
    } catch (const fw::IllegalCastException& e) {
        EXPECT_STREQ(e.ClassName(), "IllegalCastException");
        EXPECT_NE(std::string(e.what()).find("Label"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("Canvas"), std::string::npos) << e.what();
    }
    EXPECT_THROW(fw::RuntimeCheckCast<fw::RectControl>(std::make_shared<fw::Timer>()),
                 fw::IllegalCastException);
    EXPECT_THROW(fw::RuntimeCheckCast<fw::QuitMenuItem>(std::make_shared<fw::MenuItem>()),
                 fw::IllegalCastException);  // a superclass is no subclass
}

TEST(WeakRefTest, ValueIsNothingOnceTheObjectDies) {
    auto object = std::make_shared<fw::Timer>();
    fw::WeakRef weak(object);
    EXPECT_EQ(weak.Value(), object);
    EXPECT_EQ(object.use_count(), 1);  // the reference does not keep it alive
    object.reset();
    EXPECT_EQ(weak.Value(), nullptr);
    EXPECT_EQ(fw::WeakRef(nullptr).Value(), nullptr);
}

// A small class tree: Derived replaces Beta in place (now hidden), adds Gamma with other
// parameters and Delta.
const fw::ClassRecord& BaseRecord() {
    static const fw::ClassRecord& record = fw::RegisterClass({
        .name = "FwTest.Base",
        .super = &fw::Object::Lookup(),
        .members = {{"Alpha", "", {}}, {"Beta", "", {}}, {"Gamma", "x As Integer", {}}},
        .properties = {fw::StoredProperty("Shade", fw::PropertyType::Integer, std::int64_t{0})},
        .events = {"Open"},
        .interfaces = {"actionSource"},
    });
    return record;
}

int derivedMade = 0;

class Derived : public fw::Object {
public:
    Derived() { ++derivedMade; }
    static const fw::ClassRecord& Lookup() {
        static const fw::ClassRecord& record = fw::RegisterClass({
            .name = "FwTest.Derived",
            .super = &BaseRecord(),
            .factory = [] { return std::make_shared<Derived>(); },
            .members = {{"Delta", "", {}},
                        {"Beta", "", {{"Hidden", ""}}},
                        {"Gamma", "y As String", {}}},
            .events = {"Paint"},
            .attributes = {{"DefaultEvent", "Paint"}},
        });
        return record;
    }
    const fw::ClassRecord& Class() const override { return Lookup(); }
};

struct Entry {
    std::string name, params;
    bool hidden;
    friend bool operator==(const Entry&, const Entry&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Entry& e) {
        return out << e.name << "(" << e.params << ")" << (e.hidden ? " hidden" : "");
    }
};

std::vector<Entry> Entries(const fw::ClassRecord& record) {
    std::vector<Entry> out;
    for (const fw::MemberRecord& m : record.MethodTable())
        out.push_back({m.name, m.params, m.IsHidden()});
    return out;
}

TEST(ClassRecordTest, MethodTableInheritedFirstReplacedInPlaceThenOwn) {
    EXPECT_EQ(Entries(Derived::Lookup()), (std::vector<Entry>{{"Alpha", "", false},
                                                              {"Beta", "", true},
                                                              {"Gamma", "x As Integer", false},
                                                              {"Delta", "", false},
                                                              {"Gamma", "y As String", false}}));
    EXPECT_EQ(Entries(BaseRecord()).size(), 3u);  // the superclass's own table is untouched
    EXPECT_FALSE(BaseRecord().MethodTable()[1].IsHidden());
}

// A menu-bar class as the program declares one: the inherited part in the framework's order,
// its own Constructor in the inherited entry's place, then its builders.
TEST(ClassRecordTest, MenuBarSubclassReplacesConstructorInPlace) {
    const fw::ClassRecord& bar = fw::RegisterClass({
        .name = "FwTest.Bar",
        .super = &fw::MenuBar::Lookup(),
        .members = {{"Constructor", "", {}}, {"Untitled0", "", {}}, {"Untitled1", "", {}}},
    });
    std::vector<std::string> names;
    for (const auto& m : bar.MethodTable()) names.push_back(m.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Constructor", "AddMenu", "Child", "_Lookup",
                                               "Untitled0", "Untitled1"}));
    EXPECT_TRUE(bar.IsA(fw::MenuItem::Lookup()));
    EXPECT_FALSE(fw::MenuItem::Lookup().IsA(bar));
}

TEST(ClassRecordTest, AttributesPropertiesAndInterfaces) {
    const fw::ClassRecord& d = Derived::Lookup();
    EXPECT_EQ(d.Name(), "FwTest.Derived");
    EXPECT_EQ(d.Super(), &BaseRecord());
    EXPECT_EQ(d.Attribute("DefaultEvent"), "Paint");
    EXPECT_EQ(d.Attribute("NoSuchAttribute"), "");
    EXPECT_TRUE(d.ImplementsInterface("actionSource"));  // inherited
    EXPECT_FALSE(d.ImplementsInterface("_PaneChild"));
    ASSERT_NE(d.FindProperty("shade"), nullptr);  // inherited, letter case ignored
    EXPECT_EQ(d.FindProperty("shade")->name, "Shade");
    EXPECT_EQ(d.FindProperty("Shades"), nullptr);
    EXPECT_EQ(fw::FindClass("FwTest.Derived"), &d);
    EXPECT_EQ(fw::FindClass("fwtest.derived"), nullptr);  // full class names are exact
}

TEST(ClassRecordTest, RegisteringANameAgainKeepsTheFirstRecord) {
    const fw::ClassRecord& first = BaseRecord();
    const fw::ClassRecord& again =
        fw::RegisterClass({.name = "FwTest.Base", .members = {{"Other", "", {}}}});
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(again.OwnMembers().front().name, "Alpha");
}

TEST(ClassRecordTest, NewObjectRunsTheClassFactory) {
    const int before = derivedMade;
    fw::ObjectRef made = fw::RuntimeNewObject(Derived::Lookup());
    EXPECT_EQ(derivedMade, before + 1);
    EXPECT_NE(std::dynamic_pointer_cast<Derived>(made), nullptr);
    EXPECT_EQ(&made->Class(), &Derived::Lookup());

    fw::ObjectRef canvas = fw::RuntimeNewObject(fw::Canvas::Lookup());
    EXPECT_NE(std::dynamic_pointer_cast<fw::Canvas>(canvas), nullptr);
    EXPECT_THROW(fw::RuntimeNewObject(BaseRecord()), fw::RuntimeException);  // no factory
}

TEST(ClassRecordTest, ImplicitInstanceByNameOfAClassWithout) {
    EXPECT_EQ(fw::RuntimeImplicitInstance("FwTest.NoSuchClass"), nullptr);
    EXPECT_EQ(fw::RuntimeImplicitInstance("FwTest.Derived"), nullptr);
}

TEST(EventQueryTest, OwnClassOrWithSuperclasses) {
    Derived::Lookup();
    struct Case {
        std::string className, event;
        bool ownClass, expected;
    };
    for (const Case& c : std::vector<Case>{{"FwTest.Derived", "Paint", true, true},
                                           {"FwTest.Derived", "paint", true, true},
                                           {"FwTest.Derived", "Open", true, false},
                                           {"FwTest.Derived", "Open", false, true},
                                           {"FwTest.Derived", "MouseDown", false, false},
                                           {"FwTest.Base", "Paint", false, false},
                                           {"FwTest.Base", "Open", true, true},
                                           {"FwTest.NoSuchClass", "Open", false, false},
                                           {"FwTest.Derived", "", false, false}}) {
        Derived object;
        EXPECT_EQ(fw::RuntimeIsEventHandled(object, c.className, c.event, c.ownClass), c.expected)
            << c.className << " " << c.event << " " << c.ownClass;
    }
    Derived object;
    EXPECT_TRUE(object.IsEventImplemented("Paint"));
    EXPECT_FALSE(object.IsEventImplemented("Open"));  // the superclass's does not count
}

}  // namespace
}  // namespace fwtest
