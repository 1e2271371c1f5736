#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fw/Array.h"
#include "fw/Canvas.h"
#include "fw/Label.h"
#include "fw/Listbox.h"
#include "fw/Menu.h"
#include "fw/PushButton.h"
#include "fw/Separator.h"
#include "fw/TextEdit.h"
#include "fw/Timer.h"
#include "fw/Window.h"

namespace game {

// The game window: its properties hold the whole game, its 46 controls make up the board,
// and its handlers carry the rules.
class KarutaWindow : public fw::Window {
public:
    FW_OBJECT;

    // The live game window, or a new one, constructed and shown.
    static std::shared_ptr<KarutaWindow> Implicit();
    // Builds the class record (from the initialiser table at start-up).
    static void ctblinit();

    KarutaWindow();
    ~KarutaWindow() override;

    bool IsEventImplemented(std::string_view event) const override;

    // Construction (window events and the hidden construction methods).
    void Layout() override;
    void CreateControls() override;
    void CreateControls0();
    void CreateControls1();

    // Control accessors: each looks its control up by name and casts it; nothing is cached.
    std::shared_ptr<fw::Canvas> CardCanvas(std::int64_t index) const;
    std::shared_ptr<fw::Canvas> FudaCanvas(std::int64_t index) const;
    std::shared_ptr<fw::Label> StaticText1() const;
    std::shared_ptr<fw::Label> StaticText2() const;
    std::shared_ptr<fw::Label> StaticText3() const;
    std::shared_ptr<fw::TextField> ScoreFiled() const;
    std::shared_ptr<fw::Label> StaticText4() const;
    std::shared_ptr<fw::TextField> TotalScoreField() const;
    std::shared_ptr<fw::Label> StaticText5() const;
    std::shared_ptr<fw::TextField> TimeField() const;
    std::shared_ptr<fw::Timer> MyTimer() const;
    std::shared_ptr<fw::Separator> Separator1() const;
    std::shared_ptr<fw::PushButton> StartButton() const;
    std::shared_ptr<fw::TextArea> OdaiField() const;
    std::shared_ptr<fw::Listbox> ListBox1() const;
    std::shared_ptr<fw::Listbox> ListBox2() const;
    std::shared_ptr<fw::Listbox> ListBox3() const;
    std::shared_ptr<fw::Listbox> ListBox4() const;
    std::shared_ptr<fw::Label> StaticText6() const;
    std::shared_ptr<fw::TextField> KaisuField() const;
    std::shared_ptr<fw::Label> StaticText7() const;
    std::shared_ptr<fw::Label> StaticText8() const;
    std::shared_ptr<fw::TextField> HighScoreField() const;
    std::shared_ptr<fw::Label> ShogoText() const;
    std::shared_ptr<fw::Separator> Separator2() const;
    std::shared_ptr<fw::TextArea> MyField() const;
    std::shared_ptr<fw::Canvas> MyCanvas() const;
    std::shared_ptr<fw::Label> Label1() const;

    // Control event handlers; each receives its sender first.
    void CardCanvas_Open(const std::shared_ptr<fw::Canvas>& sender);
    void CardCanvas_Paint(const std::shared_ptr<fw::Canvas>& sender, fw::Graphics& g,
                          const std::vector<fw::Rect>& areas);
    bool FudaCanvas_MouseDown(const std::shared_ptr<fw::Canvas>& sender, std::int64_t x,
                              std::int64_t y);
    void FudaCanvas_Open(const std::shared_ptr<fw::Canvas>& sender);
    void FudaCanvas_Paint(const std::shared_ptr<fw::Canvas>& sender, fw::Graphics& g,
                          const std::vector<fw::Rect>& areas);
    void ScoreFiled_Open(const std::shared_ptr<fw::TextField>& sender);
    void TotalScoreField_Open(const std::shared_ptr<fw::TextField>& sender);
    void MyTimer_Action(const std::shared_ptr<fw::Timer>& sender);
    void StartButton_Action(const std::shared_ptr<fw::PushButton>& sender);
    void KaisuField_Open(const std::shared_ptr<fw::TextField>& sender);
    void HighScoreField_Open(const std::shared_ptr<fw::TextField>& sender);

    // Menu-item accessors: each looks its item up by name in the window's menu bar.
    std::shared_ptr<fw::MenuItem> UntitledMenu2() const;
    std::shared_ptr<fw::MenuItem> EditMenu() const;
    std::shared_ptr<fw::AppMenuItem> UntitledMenu3() const;
    std::shared_ptr<fw::MenuItem> UntitledMenu4() const;
    std::shared_ptr<fw::MenuItem> EditClear() const;
    std::shared_ptr<fw::MenuItem> EditPaste() const;
    std::shared_ptr<fw::MenuItem> EditCopy() const;
    std::shared_ptr<fw::MenuItem> EditCut() const;
    std::shared_ptr<fw::MenuItem> UntitledMenu0() const;
    std::shared_ptr<fw::MenuItem> EditUndo() const;
    std::shared_ptr<fw::MenuItem> FileMenu() const;
    std::shared_ptr<fw::MenuItem> UntitledMenu5() const;
    std::shared_ptr<fw::QuitMenuItem> FileQuit() const;
    std::shared_ptr<fw::MenuItem> UntitledMenu1() const;

    // The window's own Open: working size, state reset, poems, fonts.
    void Event_Open() override;

    // Puts the picture of the card number dealt on `slot` onto that slot's card face.
    void Fuda(std::int64_t slot);

    // The end of a game: round count back, faces blank, title and result shown, total back.
    void EndGame();

    // The game state, in declaration order.
    std::int64_t OdaiNum = 0;
    std::shared_ptr<fw::Array<std::int64_t>> FudaNum;
    bool Seikai = false;
    std::int64_t MyPoint = 0;
    std::int64_t TotalPoint = 0;
    double OKtime = 0.0;
    double StartTime = 0.0;
    double MyTime = 0.0;
    bool GameStarted = false;
    std::shared_ptr<fw::Array<std::string>> OdaiString;
    std::string MyFont;
    std::int64_t Kaisu = 0;
    std::string shogo;
    std::int64_t HighScore = 0;
    std::shared_ptr<fw::Array<std::int64_t>> r;
    bool games = false;

    class wrapper_MyTimer;

private:
    template <class T>
    std::shared_ptr<T> Find(std::string_view name) const;
    template <class T>
    std::shared_ptr<T> FindItem(std::string_view name) const;
};

}  // namespace game
