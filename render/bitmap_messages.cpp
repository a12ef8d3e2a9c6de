#include "render/bitmap_messages.h"

#include "platform/message_box.h"
#include "platform/text_codec.h"

namespace render {

void ReportBitmapWithoutPixels(const BitmapDescription& d) {
  platform::ShowMessageBox(u"WidthBytes: " + platform::FormatInt(d.widthBytes) + u" bmWidth:" +
                               platform::FormatInt(d.width) + u" bmBitsPixel:" +
                               platform::FormatInt(d.bitsPixel),
                           u"Err");
}

bool CreateBitmapOrReport(DibBitmap& bitmap, int width, int height) {
  if (bitmap.Create(width, height)) return true;
  platform::ShowMessageBox(platform::FormatInt(width) + u" x " + platform::FormatInt(height),
                           u"dib-err");
  ReportBitmapWithoutPixels(bitmap.description());
  return false;
}

}  // namespace render
