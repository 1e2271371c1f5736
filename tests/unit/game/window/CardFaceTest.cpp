// The card picture set and the card faces: lazy, shared pictures; a deal through Fuda; the
// Open handlers' empty card; and painting the backdrop stretched over the canvas.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <thread>

#include "fw/Exceptions.h"
#include "game/CardPictures.h"
#include "game/KarutaWindow.h"
#include "unit/game/window/WindowTestSupport.h"

namespace window {
namespace {

namespace fs = std::filesystem;

// Picture-set tests read from a folder of their own and use card numbers that no other test
// of this program touches, since a loaded picture stays loaded for the run.
class PictureSet : public ::testing::Test {
protected:
    void SetUp() override { fw::Picture::SetAppFolders({folder.Path()}); }
    void TearDown() override { fw::Picture::SetAppFolders({}); }

    void Add(const char* name) { fs::copy_file(BuiltPicture("karuta0.png"), folder.File(name)); }
    void Remove(const char* name) { fs::remove(folder.File(name)); }

    TempFolder folder;
};

TEST_F(PictureSet, APictureIsLoadedOnceAndShared) {
    Add("karuta91.png");
    std::shared_ptr<fw::Picture> first = game::karuta91();
    ASSERT_TRUE(first);
    const fw::Picture* loaded = first.get();
    std::weak_ptr<fw::Picture> watch = first;

    Remove("karuta91.png");
    EXPECT_EQ(game::karuta91(), first) << "the file is not read again";
    first.reset();
    EXPECT_FALSE(watch.expired()) << "the set keeps a reference of its own";
    EXPECT_EQ(game::karuta91().get(), loaded);
    // Each accessor holds its own picture.
    EXPECT_EQ(game::karuta94(), nullptr);
}

TEST_F(PictureSet, AMissingFileIsTriedAgainUntilItAppears) {
    EXPECT_EQ(game::karuta92(), nullptr);
    EXPECT_EQ(game::karuta92(), nullptr);
    Add("karuta92.png");
    auto picture = game::karuta92();
    ASSERT_TRUE(picture);
    Remove("karuta92.png");
    EXPECT_EQ(game::karuta92(), picture);
}

TEST_F(PictureSet, AnExceptionWhileLoadingLeavesTheCacheEmpty) {
    Add("karuta93.png");
    // Off the GUI thread the loader refuses with an exception.
    bool raised = false;
    std::thread other([&] {
        try {
            game::karuta93();
        } catch (const fw::ThreadAccessingUIException&) {
            raised = true;
        }
    });
    other.join();
    ASSERT_TRUE(raised);
    auto picture = game::karuta93();
    ASSERT_TRUE(picture) << "the next call loads";
    EXPECT_EQ(game::karuta93(), picture);
}

TEST_F(PictureSet, FileNamesAreTheNameInDecimalWithoutLeadingZeros) {
    WritePicture(folder.File("karuta95.png"), 13, 17);
    WritePicture(folder.File("karuta096.png"), 5, 5);
    auto picture = game::karuta95();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 13);
    EXPECT_EQ(picture->Height(), 17);
    EXPECT_EQ(game::karuta96(), nullptr);

    EXPECT_EQ(game::kCardPictures.size(), 100u);
    EXPECT_EQ(game::kCardPictures[0], &game::karuta0);
    EXPECT_EQ(game::kCardPictures[7], &game::karuta7);
    EXPECT_EQ(game::kCardPictures[10], &game::karuta10);
    EXPECT_EQ(game::kCardPictures[42], &game::karuta42);
    EXPECT_EQ(game::kCardPictures[99], &game::karuta99);
}

class CardFaces : public OpenWindowTest {
protected:
    std::shared_ptr<fw::Picture> Sentinel() {
        WritePicture(folder.File("sentinel.png"), 3, 3);
        return fw::Picture::Open(folder.File("sentinel.png"));
    }
    TempFolder folder;
};

TEST_F(CardFaces, EveryFrameAndFaceOpensOnTheSharedEmptyCard) {
    const auto green = game::Green();
    ASSERT_TRUE(green);
    auto file = fw::Picture::Open(BuiltPicture("Green.png"));
    ASSERT_TRUE(file);
    EXPECT_EQ(green->Width(), file->Width());
    for (std::int64_t slot = 0; slot <= 9; ++slot) {
        EXPECT_EQ(win->CardCanvas(slot)->Backdrop(), green) << slot;
        EXPECT_EQ(win->FudaCanvas(slot)->Backdrop(), green) << slot;
    }
    EXPECT_EQ(win->MyCanvas()->Backdrop(), nullptr);
}

TEST_F(CardFaces, FudaPutsTheDealtCardsPictureOnItsSlotsFace) {
    const std::pair<std::int64_t, std::int64_t> deals[] = {{0, 0}, {3, 7}, {9, 99}};
    for (const auto& [slot, card] : deals) {
        (*win->FudaNum)(slot) = card;
        win->Fuda(slot);
        auto shown = win->FudaCanvas(slot)->Backdrop();
        ASSERT_TRUE(shown) << card;
        EXPECT_EQ(shown, game::kCardPictures[static_cast<std::size_t>(card)]()) << card;
        EXPECT_NE(shown, game::Green());
    }
    EXPECT_EQ(win->FudaCanvas(3)->Backdrop(), game::karuta7());
    EXPECT_EQ(win->FudaCanvas(5)->Backdrop(), game::Green()) << "other faces are untouched";
    EXPECT_EQ(win->CardCanvas(3)->Backdrop(), game::Green()) << "frames keep the empty card";

    // A second call for the slot shows the card then dealt; a card dealt again is the same picture.
    (*win->FudaNum)(3) = 0;
    win->Fuda(3);
    EXPECT_EQ(win->FudaCanvas(3)->Backdrop(), win->FudaCanvas(0)->Backdrop());
}

TEST_F(CardFaces, ANumberThatIsNoCardLeavesTheFaceAsItWas) {
    const auto sentinel = Sentinel();
    ASSERT_TRUE(sentinel);
    for (std::int64_t n : {std::int64_t{-1}, std::int64_t{100}, fw::kNoIndex,
                           std::numeric_limits<std::int64_t>::max()}) {
        win->FudaCanvas(4)->SetBackdrop(sentinel);
        (*win->FudaNum)(4) = n;
        EXPECT_NO_THROW(win->Fuda(4)) << n;
        EXPECT_EQ(win->FudaCanvas(4)->Backdrop(), sentinel) << n;
    }
}

TEST(CardFaceWithoutControls, NoFaceIsFetchedForANumberThatIsNoCard) {
    game::KarutaWindow bare;  // holds no face at all
    (*bare.FudaNum)(0) = -1;
    EXPECT_NO_THROW(bare.Fuda(0));
    (*bare.FudaNum)(0) = 100;
    EXPECT_NO_THROW(bare.Fuda(0));
    (*bare.FudaNum)(0) = 5;
    EXPECT_THROW(bare.Fuda(0), fw::NilObjectException);
}

TEST_F(CardFaces, ASlotOutsideTheBoardRaisesAndChangesNothing) {
    EXPECT_THROW(win->Fuda(10), fw::OutOfBoundsException);
    EXPECT_THROW(win->Fuda(-1), fw::OutOfBoundsException);
    for (std::int64_t slot = 0; slot <= 9; ++slot)
        EXPECT_EQ(win->FudaCanvas(slot)->Backdrop(), game::Green());
}

TEST_F(CardFaces, AMissingCardPictureBlanksOnlyItsFace) {
    fw::Picture::SetAppFolders({folder.Path()});
    (*win->FudaNum)(2) = 97;
    win->Fuda(2);
    EXPECT_EQ(win->FudaCanvas(2)->Backdrop(), nullptr);
    RecordingGraphics g;
    win->FudaCanvas(2)->Paint.Raise(win->FudaCanvas(2), g, {});
    EXPECT_TRUE(g.calls.empty());
    EXPECT_EQ(win->FudaCanvas(1)->Backdrop(), game::Green());
}

TEST_F(CardFaces, PaintStretchesTheWholeBackdropOverTheWholeCanvas) {
    WritePicture(folder.File("tall.png"), 300, 500);
    auto tall = fw::Picture::Open(folder.File("tall.png"));
    ASSERT_TRUE(tall);
    struct Case {
        std::shared_ptr<fw::Canvas> canvas;
        double width, height;
    };
    const Case cases[] = {{win->FudaCanvas(3), 70, 160}, {win->CardCanvas(3), 90, 170}};
    for (const Case& c : cases) {
        c.canvas->SetBackdrop(tall);
        RecordingGraphics g;
        // The areas to redraw are not consulted: the whole canvas is drawn.
        c.canvas->Paint.Raise(c.canvas, g, {fw::Rect{5, 5, 10, 10}});
        ASSERT_EQ(g.calls.size(), 1u);
        EXPECT_EQ(g.calls[0].picture, tall);
        EXPECT_EQ(g.calls[0].numbers,
                  (std::vector<double>{0, 0, c.width, c.height, 0, 0, 300, 500}));
    }
    // The sizes are read anew at every paint.
    win->FudaCanvas(3)->SetWidth(50);
    RecordingGraphics g;
    win->FudaCanvas(3)->Paint.Raise(win->FudaCanvas(3), g, {});
    ASSERT_EQ(g.calls.size(), 1u);
    EXPECT_EQ(g.calls[0].numbers[2], 50);
}

TEST_F(CardFaces, ACanvasWithoutBackdropPaintsNothing) {
    for (const auto& canvas : {win->FudaCanvas(6), win->CardCanvas(6)}) {
        canvas->SetBackdrop(nullptr);
        RecordingGraphics g;
        canvas->Paint.Raise(canvas, g, {});
        EXPECT_TRUE(g.calls.empty());
    }
}

TEST_F(CardFaces, EachHandlerServesOnlyTheCanvasesOfItsSet) {
    auto plain = win->MyCanvas();
    EXPECT_THROW(win->CardCanvas_Open(plain), fw::IllegalCastException);
    EXPECT_THROW(win->FudaCanvas_Open(win->CardCanvas(0)), fw::IllegalCastException);
    EXPECT_EQ(plain->Backdrop(), nullptr);
    RecordingGraphics g;
    EXPECT_THROW(win->CardCanvas_Paint(win->FudaCanvas(0), g, {}), fw::IllegalCastException);
    EXPECT_THROW(win->FudaCanvas_Paint(plain, g, {}), fw::IllegalCastException);
    EXPECT_TRUE(g.calls.empty());
}

}  // namespace
}  // namespace window
