// What the window tests paint into and look at: a 32-bit memory bitmap with its device context,
// the skin pictures put in place (or taken away), the interface font, and screenshots written as
// BMP files for scripts/screenshots.sh.
#pragma once

#include <windows.h>

#include <string>

#include "context/process_facts.h"

class MemoryCanvas {
  public:
    MemoryCanvas(int width, int height);
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF Pixel(int x, int y) const;
    // Pixels in the rectangle that are not colour.
    int CountOtherThan(const RECT& area, COLORREF colour) const;
    // Pixels in the rectangle that are dark (below a mid grey on average; text is smoothed): text
    // and glyphs.
    int CountDark(const RECT& area) const;
    // Writes the canvas as a BMP into the folder named by ZELK_SCREENSHOT_DIR, when set.
    void SaveScreenshot(const char* name) const;

  private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    const DWORD* bits_ = nullptr;
};

// A fresh "zelk" folder under the system directory holding the shipped pictures in skip\.
void InstallSkinPictures();
// Removes one picture ("skip0c.bmp").
void RemoveSkinPicture(const char* name);
// A picture of the shipped set, loaded from the source tree (for comparing pixels).
HBITMAP ShippedPicture(const char* name);
// Whether the canvas shows, at (x, y), the width x height rectangle at (sourceX, sourceY) of the
// shipped picture name, pixel for pixel.
bool ShowsPicture(const MemoryCanvas& canvas, int x, int y, const char* name, int sourceX,
                  int sourceY, int width, int height);

// "Simsun", 16 pixels, as the module makes it; the caller deletes it.
HFONT CreateInterfaceFont();

// The window classes registered for this test program (once), with it as the module.
void RegisterClassesOnce();

// The GDI objects of this process: GetGuiResources(GR_GDIOBJECTS), or where the system answers 0
// (Wine), the live entries of the GDI handle table counted one by one.
unsigned long GdiObjectCount();
