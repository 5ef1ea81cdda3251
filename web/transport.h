#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace zelkor {

// Request flags the engine opens a request with.
namespace requestflag {
inline constexpr std::uint32_t kReload = 0x80000000;
inline constexpr std::uint32_t kNeedFile = 0x00000010;
inline constexpr std::uint32_t kNoCookies = 0x00080000;
inline constexpr std::uint32_t kNoAutoRedirect = 0x00200000;
inline constexpr std::uint32_t kSecure = 0x00800000;
inline constexpr std::uint32_t kIgnoreRedirectToHttps = 0x00004000;
}  // namespace requestflag

enum class AccessType { kDirect = 1, kProxy = 3 };

// The HTTP transport the request engine talks through: a root session, a connection to one
// host and port, and a request on it. Each handle closes when it is destroyed; a failed open
// yields no handle. Every call runs synchronously on the calling thread.
class TransportRequest {
public:
    virtual ~TransportRequest() = default;
    // Sends the request with its CR LF separated header lines and, unless `body` is nothing, a
    // body (which may be empty), and receives the response. A failure shows only as an empty
    // body and a failing header query.
    virtual void Send(std::string_view headerBlock,
                      std::optional<std::span<const std::uint8_t>> body) = 0;
    // Copies the next bytes of the response body into `buffer`; 0 when there are no more.
    virtual std::size_t Read(std::span<std::uint8_t> buffer) = 0;
    // Writes the response's status line and header lines, CR LF separated and ending with an
    // empty line, followed by a zero byte, into `buffer`. False, leaving `buffer` untouched,
    // when there is no response or the text and its zero byte do not fit.
    virtual bool QueryRawHeaders(std::span<char> buffer) = 0;
};

class TransportConnection {
public:
    virtual ~TransportConnection() = default;
    virtual std::unique_ptr<TransportRequest> OpenRequest(std::string_view verb,
                                                          std::string_view path,
                                                          std::string_view version,
                                                          std::uint32_t flags) = 0;
};

class TransportSession {
public:
    virtual ~TransportSession() = default;
    virtual std::unique_ptr<TransportConnection> Connect(std::string_view host, int port) = 0;
};

class HttpTransport {
public:
    virtual ~HttpTransport() = default;
    // `proxyList` holds entries such as "http=host:port"; both lists are ignored for a direct
    // session.
    virtual std::unique_ptr<TransportSession> Open(std::string_view userAgent,
                                                   AccessType accessType,
                                                   std::string_view proxyList,
                                                   std::string_view bypassList) = 0;
};

}  // namespace zelkor
