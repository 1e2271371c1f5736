// The file-type set: the one "text" type, set up in full and registered once.
#include <gtest/gtest.h>

#include <memory>

#include "fw/Exceptions.h"
#include "fw/FileType.h"
#include "shell/FileTypes.h"

namespace {

namespace FileTypes = shell::FileTypes;

// Each test starts where the initialiser table leaves the set: an empty array, no type.
class FileTypesTest : public ::testing::Test {
protected:
    void SetUp() override {
        FileTypes::pText = nullptr;
        FileTypes::pAllFileTypes_Init();
        FileTypes::pText_Init();
    }
};

TEST_F(FileTypesTest, BeforeInitializeTheSetIsEmptyAndHasNoType) {
    EXPECT_EQ(FileTypes::Text(), nullptr);
    ASSERT_NE(FileTypes::pAllFileTypes, nullptr);
    EXPECT_EQ(FileTypes::pAllFileTypes->Ubound(), -1);
}

TEST_F(FileTypesTest, InitializeMakesTheTextTypeTheSetsOnlyElement) {
    FileTypes::Initialize();
    auto text = FileTypes::Text();
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(FileTypes::pAllFileTypes->Ubound(), 0);
    EXPECT_EQ((*FileTypes::pAllFileTypes)(0), text);
    EXPECT_EQ(text->Name(), "text");
    EXPECT_EQ(text->Extensions(), "");
    EXPECT_EQ(text->MacType(), "TEXT");
    EXPECT_EQ(text->MacCreator(), "R*ch");
    EXPECT_EQ(text->MimeType(), "");
    EXPECT_TRUE(text->Imported());
    EXPECT_EQ(text->ConformsTo(), "");
    EXPECT_EQ(text->UTI(), "");
}

TEST_F(FileTypesTest, TheTypeIsRegisteredOnceWithItsFinalValues) {
    const auto before = fw::FileTypeRegistrations().size();
    FileTypes::Initialize();
    EXPECT_TRUE(FileTypes::Text()->IsRegistered());
    const auto after = fw::FileTypeRegistrations();
    ASSERT_EQ(after.size(), before + 1);
    const fw::FileTypeRegistration& r = after.back();
    EXPECT_EQ(r.name, "text");
    EXPECT_EQ(r.macCreator, "R*ch");
    EXPECT_EQ(r.macType, "TEXT");
    EXPECT_EQ(r.extensions, "");
    EXPECT_EQ(r.uti, "");
}

TEST_F(FileTypesTest, WithoutItsArrayInitializeStopsBeforeAddingAndRegistering) {
    FileTypes::pAllFileTypes = nullptr;
    const auto before = fw::FileTypeRegistrations().size();
    EXPECT_THROW(FileTypes::Initialize(), fw::NilObjectException);
    // What was done before the failing step stays done.
    auto text = FileTypes::Text();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->ConformsTo(), "");
    EXPECT_TRUE(text->Imported());
    EXPECT_FALSE(text->IsRegistered());
    EXPECT_EQ(fw::FileTypeRegistrations().size(), before);
}

}  // namespace
