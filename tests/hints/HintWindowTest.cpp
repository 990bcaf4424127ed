#include "hints/HintWindow.h"

#include <gtest/gtest.h>

#include <string>

#include "hints/HelpTexts.h"
#include "resources/ResourceIds.h"
#include "tests/hints/HintTestSupport.h"

namespace {

// A system without SetLayeredWindowAttributes.
class OpaqueHint : public HintWindow {
 public:
  OpaqueHint() : HintWindow(0, nullptr, 0, nullptr) { SetAlpha = nullptr; }
};

class HintWindowTest : public ::testing::Test {
 protected:
  void Show(HintWindow& hint, POINT at, const char* text = "The sampling rate per channel.") {
    hint.Show(Dialog.Window(), text, at.x, at.y, 60000);
  }

  FreshFolder Folder;
  DialogUnderTest Dialog;
};

TEST_F(HintWindowTest, OpensAwayFromTheEdgesAndShowingAgainOrReleasingEndsTheWindow) {
  HintWindow hint(0, nullptr, 0, nullptr);
  Show(hint, POINT{400, 400}, "    ");
  EXPECT_EQ(hint.Handle(), nullptr) << "a text without words";
  hint.Show(Dialog.Window(), nullptr, 400, 400, 500);
  EXPECT_EQ(hint.Handle(), nullptr);

  // Where it opens is proven natively; here the window follows, tail and all. In the
  // top right corner: to the left of the point and below it.
  POINT corner = {GetSystemMetrics(SM_CXSCREEN) - 3, 3};
  Show(hint, corner);
  HWND first = hint.Handle();
  ASSERT_NE(first, nullptr);
  RECT bounds;
  GetWindowRect(first, &bounds);
  EXPECT_EQ(bounds.right, corner.x);
  EXPECT_EQ(bounds.top, corner.y);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(first, region), COMPLEXREGION);
  // Mirrored both ways the tail is at the top right: the top left corner is outside
  // the balloon, the top right one inside.
  EXPECT_FALSE(PtInRegion(region, 2, 2));
  EXPECT_TRUE(PtInRegion(region, bounds.right - bounds.left - 3, 1));
  DeleteObject(region);

  Show(hint, POINT{500, 500}, "Enabling and selecting the voltage range {A \xE8 B}.");
  EXPECT_FALSE(IsWindow(first));
  HWND second = hint.Handle();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(WindowText(second), L"Enabling and selecting the voltage range {A \u0438 B}.");
  EXPECT_EQ(Balloons().size(), 1u);
  hint.Close();
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(hint.Handle(), nullptr);
  hint.Close();  // nothing left to close

  // Each hint makes two regions: the window keeps one, the hint frees its copy.
  auto showHints = [&](int count) {
    for (int i = 0; i < count; ++i) {
      HintWindow another(0, nullptr, 0, nullptr);
      Show(another, POINT{400, 400});
      ASSERT_NE(another.Handle(), nullptr);
    }
  };
  showHints(1);
  EXPECT_TRUE(Balloons().empty());
  uintptr_t before = HighestNewSlot();
  showHints(50);
  EXPECT_LE(HighestNewSlot(), before + 16);
}

TEST_F(HintWindowTest, EveryHelpTextFitsItsBalloon) {
  const HintShape balloon(nullptr, 0, nullptr);
  for (int32_t i = 0; i < HelpTextRows; ++i) {
    const HelpTextEntry* row = &HelpTexts[i];
    HintWindow hint(0, nullptr, 0, nullptr);
    Show(hint, POINT{400, 400}, row->Text);
    ASSERT_NE(hint.Handle(), nullptr) << row->ControlId;
    RECT bounds;
    GetWindowRect(hint.Handle(), &bounds);
    std::vector<ShapePoint> points;
    PixelBox box;
    balloon.Scale(bounds.right - bounds.left, bounds.bottom - bounds.top, 0, points, box);
    // Laid out as the balloon draws it, at the width it draws into.
    HDC dc = GetDC(hint.Handle());
    HGDIOBJ font = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    RECT drawn = {0, 0, box.Right - box.Left, 0};
    DrawTextW(dc, WindowText(hint.Handle()).c_str(), -1, &drawn,
              DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    SelectObject(dc, font);
    ReleaseDC(hint.Handle(), dc);
    EXPECT_LE(drawn.bottom - drawn.top, box.Bottom - box.Top) << row->ControlId;
    EXPECT_LE(drawn.right - drawn.left, box.Right - box.Left) << row->ControlId;
  }
}

TEST_F(HintWindowTest, AClickStartsTheFadeWithoutTakingTheFocusOrClosesAnOpaqueHint) {
  HWND list = Dialog.Control(IDC_SIZE_TIME);
  SetFocus(list);
  HintWindow hint(0, nullptr, 0, nullptr);
  Show(hint, POINT{200, 300});
  HWND window = hint.Handle();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(AlphaOf(window), 200);
  PumpFor(Dialog, 100);
  EXPECT_EQ(AlphaOf(window), 200) << "60 s to go before the fade";

  // A real click in the middle of the balloon.
  RestCursorOn(window);
  PumpFor(Dialog, 20);
  INPUT click[2] = {};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(2, click, sizeof(INPUT)), 2u);
  PumpFor(Dialog, 200);
  EXPECT_LT(AlphaOf(window), 200);
  EXPECT_EQ(GetFocus(), list);
  EXPECT_EQ(GetActiveWindow(), Dialog.Window());
  // 39 steps of 40 ms.
  EXPECT_TRUE(PumpUntil(Dialog, 3000, [&] { return !IsWindow(window); }));
  EXPECT_EQ(hint.Handle(), nullptr);

  // Without the alpha function the balloon is opaque and a click closes it.
  OpaqueHint opaque;
  Show(opaque, POINT{400, 400});
  window = opaque.Handle();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
