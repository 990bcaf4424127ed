#include "framework/Bitmap.h"

bool Bitmap::LoadFromResource(HMODULE module, int32_t id) {
  Release();
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));  // RT_BITMAP
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  auto* info = loaded != nullptr ? static_cast<BITMAPINFO*>(LockResource(loaded)) : nullptr;
  if (info == nullptr || SizeofResource(module, found) < sizeof(BITMAPINFOHEADER)) {
    return false;
  }
  const BITMAPINFOHEADER& header = info->bmiHeader;
  DWORD colours = header.biBitCount >= 1 && header.biBitCount <= 8 ? 1u << header.biBitCount : 0;
  const BYTE* pixels = reinterpret_cast<const BYTE*>(info) + header.biSize + colours * 4;
  HDC screen = GetDC(nullptr);
  Handle = CreateDIBitmap(screen, &header, CBM_INIT, pixels, info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return Handle != nullptr;
}

void Bitmap::Release() {
  if (Handle != nullptr) {
    DeleteObject(Handle);
    Handle = nullptr;
  }
}

void Bitmap::Tile(HDC dc, const RECT* rectangle, HRGN clip) const {
  BITMAP size;
  if (dc == nullptr || rectangle == nullptr || Handle == nullptr ||
      GetObjectW(Handle, sizeof size, &size) == 0 || size.bmWidth <= 0 || size.bmHeight <= 0) {
    return;
  }
  HDC memory = CreateCompatibleDC(dc);
  if (memory == nullptr) {
    return;
  }
  HGDIOBJ old = SelectObject(memory, Handle);
  HRGN made = nullptr;
  if (clip == nullptr) {
    made =
        CreateRectRgn(rectangle->left, rectangle->top, rectangle->right + 1, rectangle->bottom + 1);
    clip = made;
  }
  SelectClipRgn(dc, clip);
  // The tiles line up with the device context's origin.
  int32_t x0 = rectangle->left % size.bmWidth;
  int32_t y0 = rectangle->top % size.bmHeight;
  for (int32_t y = y0; y <= rectangle->bottom; y += size.bmHeight) {
    for (int32_t x = x0; x <= rectangle->right; x += size.bmWidth) {
      BitBlt(dc, x, y, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    }
  }
  SelectClipRgn(dc, nullptr);
  if (made != nullptr) {
    DeleteObject(made);
  }
  SelectObject(memory, old);
  DeleteDC(memory);
}
