// The messages shown when an off-screen bitmap cannot be had. The bitmap
// itself only reports failure by its return values; these are for callers
// that tell the user.
#pragma once

#include "render/dib_bitmap.h"

namespace render {

// "WidthBytes: <n> bmWidth:<n> bmBitsPixel:<n>" / "Err".
void ReportBitmapWithoutPixels(const BitmapDescription& description);

// DibBitmap::Create; when it fails shows "<w> x <h>" / "dib-err" and then
// the bitmap's own "WidthBytes: ..." / "Err". Returns whether pixels exist.
bool CreateBitmapOrReport(DibBitmap& bitmap, int width, int height);

}  // namespace render
