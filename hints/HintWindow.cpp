#include "hints/HintWindow.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr UINT_PTR FadeTimer = 1;
constexpr UINT FadeStepMs = 40;
constexpr int32_t FullAlpha = 200;
constexpr int32_t AlphaStep = 5;
constexpr UINT CyrillicCodePage = 1251;
// Far more than a blank's width or a line's height: a shape that never fits stops here.
constexpr int32_t MostGrowthSteps = 200;

const MessageMapEntry HintWindowMap[] = {
    MAP_ROW(WM_CREATE, 0, 0, HintWindow, OnCreate),
    MAP_ROW(WM_LBUTTONDOWN, 0, 0, HintWindow, OnFadeStep),
    MAP_ROW(WM_TIMER, 0, 0, HintWindow, OnFadeStep),
    MAP_ROW(WM_MOUSEACTIVATE, 0, 0, HintWindow, OnMouseActivate),
    MAP_END,
};

// The texts are Cyrillic whatever the system's ANSI code page is.
std::wstring FromCyrillic(const char* text) {
  int size = MultiByteToWideChar(CyrillicCodePage, 0, text, -1, nullptr, 0);
  if (size <= 0) {
    return std::wstring();
  }
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CyrillicCodePage, 0, text, -1, &wide[0], size);
  wide.resize(static_cast<std::size_t>(size) - 1);
  return wide;
}

}  // namespace

void HintWindowClass::FillClass(WNDCLASSEXW& description) {
  description.style = CS_OWNDC;
  description.hIcon = nullptr;
  description.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HELP));
  description.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  description.lpszMenuName = nullptr;
}

HintWindow::HintWindow(int32_t backgroundId, const ShapePoint* points, int32_t pointCount,
                       const ShapeBox* textBox)
    : Shape(points, pointCount, textBox) {
  if (backgroundId != 0) {
    Background.LoadFromResource(GetModuleHandleW(nullptr), backgroundId);
  }
  // Looked up at run time: systems without it get opaque hints.
  FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetLayeredWindowAttributes");
  SetAlpha = reinterpret_cast<AlphaFunction>(reinterpret_cast<void (*)()>(found));
}

HintWindow::~HintWindow() {
  Close();
  DeleteOutline();
}

void HintWindow::Close() {
  if (Hwnd != nullptr) {
    DestroyWindow(Hwnd);
  }
}

SIZE HintWindow::Measure(HWND parent, const std::vector<WordSpan>& words) const {
  HDC dc = GetDC(parent);
  HGDIOBJ font = SelectObject(dc, GetStockObject(SYSTEM_FONT));
  int mapping = SetMapMode(dc, MM_TEXT);
  // Each word with the character after it (a blank, or the terminator after the last).
  LONG widest = 0;
  for (const WordSpan& word : words) {
    SIZE size = {};
    GetTextExtentPoint32W(dc, Text.c_str() + word.Start, word.Length + 1, &size);
    widest = std::max(widest, size.cx);
  }
  SIZE zeros = {};
  GetTextExtentPoint32W(dc, L"000", 3, &zeros);
  LONG width = widest + zeros.cx;
  if (words.size() > 2) {
    width *= 2;
  }
  RECT laidOut = {0, 0, width, 0};
  DrawTextW(dc, Text.c_str(), -1, &laidOut, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
  SIZE size = FitToShape(dc, laidOut.right - laidOut.left, laidOut.bottom - laidOut.top);
  SetMapMode(dc, mapping);
  SelectObject(dc, font);
  ReleaseDC(parent, dc);
  return size;
}

SIZE HintWindow::FitToShape(HDC dc, int32_t width, int32_t height) const {
  // The text box of the grown balloon can come out narrower than the text was laid out
  // (the scaling truncates, and a line that loses its trailing blank wraps once more)
  // or lower: grow until the text laid out at the drawn width fits.
  int32_t grownWidth = width;
  int32_t grownHeight = height;
  for (int32_t step = 0; step < MostGrowthSteps; ++step) {
    grownWidth = width;
    grownHeight = height;
    Shape.GrowToShape(grownWidth, grownHeight);
    std::vector<ShapePoint> points;
    PixelBox box;
    Shape.Scale(grownWidth + 1, grownHeight + 1, 0, points, box);
    const int32_t boxWidth = box.Right - box.Left;
    const int32_t boxHeight = box.Bottom - box.Top;
    RECT drawn = {0, 0, boxWidth, 0};
    DrawTextW(dc, Text.c_str(), -1, &drawn, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    const int32_t drawnHeight = drawn.bottom - drawn.top;
    if (drawn.right - drawn.left > boxWidth || drawnHeight > height) {
      ++width;  // more lines than laid out, or a word wider than the box
    } else if (drawnHeight > boxHeight) {
      height += drawnHeight - boxHeight;
    } else {
      break;
    }
  }
  return SIZE{grownWidth, grownHeight};
}

void HintWindow::Show(HWND parent, const char* text, int32_t x, int32_t y, int32_t postDelay) {
  std::vector<WordSpan> words = FindWords(text);
  if (words.empty()) {
    return;
  }
  // One UTF-16 unit per byte of code page 1251: the word positions still hold. Without
  // the code page there is nothing that could be measured safely.
  std::wstring wide = FromCyrillic(text);
  if (wide.size() != std::strlen(text)) {
    return;
  }
  Close();
  Text = wide;
  SIZE measured = Measure(parent, words);
  int32_t width = measured.cx + 1;
  int32_t height = measured.cy + 1;
  HintPlacement place =
      PlaceHint(x, y, width, height, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  Flips = place.Flips;
  DisplayMs = DisplayTime(postDelay, static_cast<int32_t>(words.size()));

  if (ClassRecord.GetName()[0] == '\0') {
    ClassRecord.SetName("WindowsHelperClass");
    ClassRecord.Register();
  }
  // A layered window that never gets its alpha stays invisible.
  DWORD extendedStyle = WS_EX_TOPMOST | (SetAlpha != nullptr ? WS_EX_LAYERED : 0);
  // Created hidden and shown without activation: an active popup would take the focus
  // and close an open drop-down list.
  if (Create(ClassRecord, Text.c_str(), WS_POPUP, extendedStyle, place.X, place.Y, width, height,
             parent, nullptr) != nullptr) {
    SetWindowPos(Hwnd, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
}

const MessageMapEntry* HintWindow::GetMessageMap() const {
  return HintWindowMap;
}

int32_t HintWindow::OnCreate() {
  RECT window;
  GetWindowRect(Hwnd, &window);
  std::vector<ShapePoint> points;
  PixelBox text;
  Shape.Scale(window.right - window.left, window.bottom - window.top, Flips, points, text);
  TextRectangle = RECT{text.Left, text.Top, text.Right, text.Bottom};
  ScaledPoints.clear();
  for (const ShapePoint& point : points) {
    ScaledPoints.push_back(POINT{point.X, point.Y});
  }

  DeleteOutline();
  HRGN region =
      CreatePolygonRgn(ScaledPoints.data(), static_cast<int>(ScaledPoints.size()), WINDING);
  if (region != nullptr) {
    Outline = CreateRectRgn(0, 0, 0, 0);
    if (Outline != nullptr) {
      CombineRgn(Outline, region, nullptr, RGN_COPY);
    }
    // Once accepted the region belongs to the window: never touched again here.
    if (SetWindowRgn(Hwnd, region, TRUE) == 0) {
      DeleteObject(region);
    }
  }

  if (SetAlpha != nullptr) {
    Alpha = FullAlpha;
    SetAlpha(Hwnd, 0, static_cast<BYTE>(Alpha), LWA_ALPHA);
  }
  SetTimer(Hwnd, FadeTimer, static_cast<UINT>(DisplayMs), nullptr);
  return 0;
}

int32_t HintWindow::OnFadeStep() {
  if (SetAlpha != nullptr) {
    SetAlpha(Hwnd, 0, static_cast<BYTE>(Alpha), LWA_ALPHA);
    if (Alpha == FullAlpha) {
      SetTimer(Hwnd, FadeTimer, FadeStepMs, nullptr);
    }
    Alpha = std::max(Alpha - AlphaStep, 0);
  }
  if (Alpha == 0) {
    KillTimer(Hwnd, FadeTimer);
    DestroyWindow(Hwnd);
  }
  return 0;
}

int32_t HintWindow::OnMouseActivate() {
  return MA_NOACTIVATE;
}

void HintWindow::OnNcDestroy() {
  KillTimer(Hwnd, FadeTimer);
  DeleteOutline();
  Window::OnNcDestroy();
}

void HintWindow::OnPaint(HDC dc, const RECT& client) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  HGDIOBJ pen = SelectObject(dc, GetStockObject(NULL_PEN));
  HGDIOBJ brush = SelectObject(dc, GetSysColorBrush(COLOR_INFOBK));
  HGDIOBJ font = SelectObject(dc, GetStockObject(SYSTEM_FONT));
  SetPolyFillMode(dc, WINDING);
  if (Background.IsLoaded()) {
    Background.Tile(dc, &client, nullptr);
  } else {
    Polygon(dc, ScaledPoints.data(), static_cast<int>(ScaledPoints.size()));
  }
  if (Outline != nullptr) {
    FrameRgn(dc, Outline, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)), 1, 1);
  }
  RECT text = TextRectangle;
  DrawTextW(dc, Text.c_str(), -1, &text, DT_WORDBREAK | DT_CENTER);
  SelectObject(dc, font);
  SelectObject(dc, brush);
  SelectObject(dc, pen);
}

void HintWindow::DeleteOutline() {
  if (Outline != nullptr) {
    DeleteObject(Outline);
    Outline = nullptr;
  }
}
