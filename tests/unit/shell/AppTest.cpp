// The application object: its class record, its answer to event queries, and how start-up
// makes and registers it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/Application.h"
#include "fw/Object.h"
#include "fw/Window.h"
#include "shell/App.h"
#include "shell/MenuBar1.h"
#include "shell/Startup.h"
#include "shell/resources/Version.h"

namespace {

using shell::App;

TEST(App, ClassRecordIsAnApplicationWithItsOwnConstructorLast) {
    const fw::ClassRecord& record = App::Lookup();
    EXPECT_EQ(fw::FindClass("App"), &record);
    EXPECT_EQ(record.Super(), &fw::Application::Lookup());
    EXPECT_TRUE(record.ImplementsInterface("_MacOSDistributedNotifications.iNotify"));
    EXPECT_TRUE(record.ImplementedEvents().empty());
    std::vector<std::string> expected;
    for (const fw::MemberRecord& m : fw::Application::Lookup().MethodTable())
        expected.push_back(m.name);
    ASSERT_EQ(expected.size(), 19u);
    expected.push_back("Constructor");
    std::vector<std::string> table;
    for (const fw::MemberRecord& m : record.MethodTable()) table.push_back(m.name);
    EXPECT_EQ(table, expected);
    EXPECT_NE(fw::RuntimeCheckCast<App>(fw::RuntimeNewObject(record)), nullptr);
}

TEST(App, HandlesNoEvent) {
    App app;
    for (const char* event :
         {"Open", "Close", "Activate", "CancelClose", "EnableMenuItems", "NewDocument",
          "OpenDocument", "UnhandledException", "Action", "open", ""}) {
        SCOPED_TRACE(event);
        EXPECT_FALSE(app.IsEventImplemented(event));
    }
}

TEST(App, NewAppInstanceRegistersAnAppWithVersionDataAndTheMenuBar) {
    const auto before = fw::CurrentApplication();
    shell::NewAppInstance();
    auto app = fw::RuntimeCheckCast<App>(fw::CurrentApplication());
    ASSERT_NE(app, nullptr);
    EXPECT_NE(app, before);
    const auto& v = app->Version();
    EXPECT_EQ(v.majorVersion, 1);
    EXPECT_EQ(v.minorVersion, 5);
    EXPECT_EQ(v.bugVersion, 0);
    EXPECT_EQ(v.nonReleaseVersion, 0);
    EXPECT_EQ(v.stageCode, 3);
    EXPECT_EQ(v.longVersion, UKISOMI_AUTHOR_LINE);
    EXPECT_FALSE(v.longVersion.empty());
    EXPECT_EQ(v.shortVersion, "1.0");
    EXPECT_EQ(v.packageInfo, "");
    EXPECT_TRUE(app->DriverChecked());
    EXPECT_EQ(app->MenuBar(), shell::MenuBar1::Implicit());
    EXPECT_TRUE(fw::OpenWindows().empty());
}

}  // namespace
