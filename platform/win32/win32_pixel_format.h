// Pixel formats of the GL windows: the plain double-buffered format through
// ChoosePixelFormat, multisampled ones through WGL_ARB_pixel_format (inside
// platform/win32 only).
#pragma once

#include <windows.h>
// After windows.h, which they need.
#include <GL/gl.h>
#include <GL/wglext.h>

#include <string_view>

namespace platform::win32 {

// The WGL_ARB_pixel_format entry points, empty when the driver lacks the
// extension or WGL_ARB_multisample.
struct MultisampleFormats {
  PFNWGLCHOOSEPIXELFORMATARBPROC choose = nullptr;
  PFNWGLGETPIXELFORMATATTRIBIVARBPROC attributes = nullptr;
  explicit operator bool() const { return choose != nullptr && attributes != nullptr; }
};

// wglGetProcAddress answers only while a context is current, so the entry
// points are looked up with a throwaway hidden window of windowClass and a
// context on it. The calling thread's current context stays current.
MultisampleFormats LoadMultisampleFormats(HINSTANCE instance, const wchar_t* windowClass);

// The format for a drawable of at least `samples` samples (0 = no
// multisampling): double-buffered RGBA with 8 bits a channel, 24-bit depth,
// 8-bit stencil. 0 when the driver has none.
int ChooseFormat(HDC dc, int samples, const MultisampleFormats& arb);

// WGL_SAMPLES_ARB of a format; 0 when it is not multisampled or unknown.
int FormatSamples(HDC dc, int format, const MultisampleFormats& arb);

// Whether the space-separated extension list names the extension.
bool ListsExtension(std::string_view list, std::string_view name);

// Gives the DC the format; false when Windows refuses it.
bool ApplyFormat(HDC dc, int format);

}  // namespace platform::win32
