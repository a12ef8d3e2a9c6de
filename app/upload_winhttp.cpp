#include <windows.h>
#include <winhttp.h>

#include <memory>
#include <type_traits>

#include "app/upload_transport.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"

namespace app {
namespace {

struct InternetCloser {
  void operator()(HINTERNET handle) const { WinHttpCloseHandle(handle); }
};
using Internet = std::unique_ptr<std::remove_pointer_t<HINTERNET>, InternetCloser>;

// The failures a user meets most, in words of our own: not every system
// (Wine among them) has WinHTTP's message texts.
std::string WinHttpErrorText(DWORD error) {
  switch (error) {
    case ERROR_WINHTTP_CANNOT_CONNECT:
      return "no connection could be made";
    case ERROR_WINHTTP_TIMEOUT:
      return "the server did not answer in time";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
      return "the server's name could not be resolved";
    case ERROR_WINHTTP_CONNECTION_ERROR:
      return "the connection was reset";
    default:
      return platform::win32::SystemErrorText(error, GetModuleHandleW(L"winhttp.dll"));
  }
}

HttpReply Failed() { return {false, WinHttpErrorText(GetLastError()), 0, {}}; }

}  // namespace

HttpReply PostJson(const std::string& origin, const std::string& path, const std::string& json) {
  const std::wstring address = platform::win32::Wide(origin);
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof(parts);
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwSchemeLength = static_cast<DWORD>(-1);
  if (!WinHttpCrackUrl(address.c_str(), 0, 0, &parts) || parts.nScheme != INTERNET_SCHEME_HTTP)
    return {false, "not an http:// address this program can send to", 0, {}};
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);

  const Internet session(WinHttpOpen(L"morvandel-gauge", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                     WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return Failed();
  WinHttpSetTimeouts(session.get(), 10000, 10000, 30000, 30000);
  const Internet connection(WinHttpConnect(session.get(), host.c_str(), parts.nPort, 0));
  if (!connection) return Failed();
  const std::wstring target = platform::win32::Wide(path);
  const Internet request(WinHttpOpenRequest(connection.get(), L"POST", target.c_str(), nullptr,
                                            WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, 0));
  if (!request) return Failed();
  const wchar_t* type = L"Content-Type: application/json\r\n";
  if (!WinHttpSendRequest(request.get(), type, static_cast<DWORD>(-1L),
                          const_cast<char*>(json.data()), static_cast<DWORD>(json.size()),
                          static_cast<DWORD>(json.size()), 0) ||
      !WinHttpReceiveResponse(request.get(), nullptr))
    return Failed();

  HttpReply reply{true, {}, 0, {}};
  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
    return Failed();
  reply.status = static_cast<int>(status);
  char buffer[8192];
  DWORD read = 0;
  while (WinHttpReadData(request.get(), buffer, sizeof(buffer), &read) && read > 0)
    reply.body.append(buffer, read);
  return reply;
}

}  // namespace app
