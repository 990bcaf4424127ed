// A speech-balloon popup with one help text next to the cursor: semi-transparent,
// topmost, never active; it stays for a time that grows with the text, then fades out
// and destroys its window. The object outlives its window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Window.h"
#include "framework/WindowClass.h"
#include "hints/HintLayout.h"

class HintInterface {
 public:
  virtual ~HintInterface() = default;
  // Destroys the window, if there is one, at once.
  virtual void Close() = 0;
  // Shows `text` (code page 1251, not copied) with the tail tip at x, y (screen pixels).
  // A text without words shows nothing.
  virtual void Show(HWND parent, const char* text, int32_t x, int32_t y, int32_t postDelay) = 0;
};

class HintWindowClass : public WindowClass {
 public:
  void FillClass(WNDCLASSEXW& description) override;
};

class HintWindow : public HintInterface, public Window {
 public:
  // `backgroundId` 0: no background picture. Without a usable outline and text box the
  // balloon is used.
  HintWindow(int32_t backgroundId, const ShapePoint* points, int32_t pointCount,
             const ShapeBox* textBox);
  ~HintWindow() override;
  HintWindow(const HintWindow&) = delete;
  HintWindow& operator=(const HintWindow&) = delete;

  void Close() override;
  void Show(HWND parent, const char* text, int32_t x, int32_t y, int32_t postDelay) override;

  const MessageMapEntry* GetMessageMap() const override;
  void OnNcDestroy() override;
  void OnPaint(HDC dc, const RECT& client) override;

  int32_t OnCreate();
  int32_t OnFadeStep();
  int32_t OnMouseActivate();

 protected:
  using AlphaFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  // None: the balloon is opaque and the first fade step closes it.
  AlphaFunction SetAlpha = nullptr;

 private:
  // The balloon's size for the text, before the one pixel of the frame.
  SIZE Measure(HWND parent, const std::vector<WordSpan>& words) const;
  // The balloon's size for text laid out `width` by `height`, grown until the text laid
  // out again at the width of the drawn text box fits it.
  SIZE FitToShape(HDC dc, int32_t width, int32_t height) const;
  void DeleteOutline();

  HintWindowClass ClassRecord;
  int32_t Alpha = 0;
  HRGN Outline = nullptr;  // a copy of the window's region, for the frame
  RECT TextRectangle = {};
  int32_t Flips = 0;
  int32_t DisplayMs = 4000;
  std::wstring Text;
  Bitmap Background;
  HintShape Shape;
  std::vector<POINT> ScaledPoints;
};
