#include "platform/win32/win32_pixel_format.h"

#include <utility>
#include <vector>

#include "platform/gl_proc.h"

namespace platform::win32 {
namespace {

PIXELFORMATDESCRIPTOR PlainDescriptor() {
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof(pfd);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cAlphaBits = 8;
  pfd.cDepthBits = 24;
  pfd.cStencilBits = 8;
  pfd.iLayerType = PFD_MAIN_PLANE;
  return pfd;
}

// Looks the entry points up in the current context; empty unless the driver
// lists both extensions.
MultisampleFormats LookUp(HDC dc) {
  auto extensions = reinterpret_cast<PFNWGLGETEXTENSIONSSTRINGARBPROC>(
      GetGlProcAddress("wglGetExtensionsStringARB"));
  const char* list = extensions != nullptr ? extensions(dc) : nullptr;
  if (list == nullptr || !ListsExtension(list, "WGL_ARB_pixel_format") ||
      !ListsExtension(list, "WGL_ARB_multisample")) {
    return {};
  }
  MultisampleFormats arb;
  arb.choose =
      reinterpret_cast<PFNWGLCHOOSEPIXELFORMATARBPROC>(GetGlProcAddress("wglChoosePixelFormatARB"));
  arb.attributes = reinterpret_cast<PFNWGLGETPIXELFORMATATTRIBIVARBPROC>(
      GetGlProcAddress("wglGetPixelFormatAttribivARB"));
  return arb;
}

MultisampleFormats LookUpWithContext(HDC dc) {
  if (!ApplyFormat(dc, ChooseFormat(dc, 0, {}))) return {};
  HGLRC context = wglCreateContext(dc);
  if (context == nullptr) return {};
  HDC previousDc = wglGetCurrentDC();
  HGLRC previous = wglGetCurrentContext();
  MultisampleFormats arb;
  if (wglMakeCurrent(dc, context)) arb = LookUp(dc);
  if (previous != nullptr) {
    wglMakeCurrent(previousDc, previous);
  } else {
    wglMakeCurrent(nullptr, nullptr);
  }
  wglDeleteContext(context);
  return arb;
}

}  // namespace

MultisampleFormats LoadMultisampleFormats(HINSTANCE instance, const wchar_t* windowClass) {
  HWND window = CreateWindowExW(0, windowClass, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                instance, nullptr);
  if (window == nullptr) return {};
  MultisampleFormats arb;
  if (HDC dc = GetDC(window)) {
    arb = LookUpWithContext(dc);
    ReleaseDC(window, dc);
  }
  DestroyWindow(window);
  return arb;
}

int ChooseFormat(HDC dc, int samples, const MultisampleFormats& arb) {
  if (samples <= 0) {
    const PIXELFORMATDESCRIPTOR pfd = PlainDescriptor();
    return ChoosePixelFormat(dc, &pfd);
  }
  if (!arb) return 0;
  const std::pair<int, int> wanted[] = {
      {WGL_DRAW_TO_WINDOW_ARB, GL_TRUE},
      {WGL_SUPPORT_OPENGL_ARB, GL_TRUE},
      {WGL_DOUBLE_BUFFER_ARB, GL_TRUE},
      {WGL_PIXEL_TYPE_ARB, WGL_TYPE_RGBA_ARB},
      {WGL_RED_BITS_ARB, 8},
      {WGL_GREEN_BITS_ARB, 8},
      {WGL_BLUE_BITS_ARB, 8},
      {WGL_ALPHA_BITS_ARB, 8},
      {WGL_DEPTH_BITS_ARB, 24},
      {WGL_STENCIL_BITS_ARB, 8},
      {WGL_SAMPLE_BUFFERS_ARB, 1},
      {WGL_SAMPLES_ARB, samples},
  };
  std::vector<int> attributes;
  for (const auto& [name, value] : wanted) attributes.insert(attributes.end(), {name, value});
  attributes.push_back(0);
  int format = 0;
  UINT count = 0;
  if (!arb.choose(dc, attributes.data(), nullptr, 1, &format, &count) || count == 0) return 0;
  return format;
}

int FormatSamples(HDC dc, int format, const MultisampleFormats& arb) {
  if (!arb || format <= 0) return 0;
  const int names[] = {WGL_SAMPLE_BUFFERS_ARB, WGL_SAMPLES_ARB};
  int values[] = {0, 0};
  if (!arb.attributes(dc, format, 0, 2, names, values) || values[0] == 0) return 0;
  return values[1];
}

bool ListsExtension(std::string_view list, std::string_view name) {
  if (name.empty()) return false;
  for (size_t at = list.find(name); at != std::string_view::npos; at = list.find(name, at + 1)) {
    const size_t end = at + name.size();
    const bool startsWord = at == 0 || list[at - 1] == ' ';
    const bool endsWord = end == list.size() || list[end] == ' ';
    if (startsWord && endsWord) return true;
  }
  return false;
}

bool ApplyFormat(HDC dc, int format) {
  if (format <= 0) return false;
  PIXELFORMATDESCRIPTOR pfd{};
  if (DescribePixelFormat(dc, format, sizeof(pfd), &pfd) == 0) return false;
  return SetPixelFormat(dc, format, &pfd) != FALSE;
}

}  // namespace platform::win32
