// A bitmap from the program's resources, tiled into rectangles.
#pragma once

#include <windows.h>

#include <cstdint>

class Bitmap {
 public:
  ~Bitmap() { Release(); }

  bool LoadFromResource(HMODULE module, int32_t id);
  void Release();
  bool IsLoaded() const { return Handle != nullptr; }
  // Repeats the bitmap over the rectangle (edges included), clipped to `clip` when given.
  void Tile(HDC dc, const RECT* rectangle, HRGN clip) const;

 private:
  HBITMAP Handle = nullptr;
};
