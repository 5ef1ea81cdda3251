#include "web/httprequest.h"

#include <algorithm>
#include <array>
#include <mutex>

#include "text/between.h"
#include "web/curltransport.h"
#include "web/responseheaders.h"
#include "web/url.h"

namespace zelkor {

namespace {

constexpr std::size_t kReadPiece = 1024;
constexpr std::size_t kRawHeaderBuffer = 5000;

bool IsHttps(std::string_view url) {
    return TextLeft(ToLower(url), 5) == "https";
}

Text UserAgentFor(std::string_view extraHeaders) {
    if (FindText(extraHeaders, "User-Agent:", 1, true) == kNotFound) {
        return DefaultUserAgent();
    }
    Text agent = TrimSpaces(ExtractBetween(extraHeaders, "User-Agent:", "\r\n"));
    return agent.empty() ? HeaderValue(extraHeaders) : agent;
}

void AppendHeaderLine(Text& block, std::string_view line) {
    if (!block.empty()) {
        block += "\r\n";
    }
    block += line;
}

// Adds the engine's default lines that the caller's block does not hold yet.
void CompleteHeaderBlock(Text& block, std::string_view url, std::string_view sendCookies) {
    if (FindText(block, "Referer:") == kNotFound) {
        AppendHeaderLine(block, "Referer: " + Text(url));
    }
    if (FindText(block, "Accept:") == kNotFound) {
        block += "\r\nAccept: */*";
    }
    if (FindText(block, "Accept-Language:") == kNotFound) {
        block += "\r\nAccept-Language: zh-cn";
    }
    if (FindText(block, "Content-Type:") == kNotFound) {
        block += "\r\nContent-Type: application/x-www-form-urlencoded";
    }
    if (!sendCookies.empty()) {
        block += "\r\nCookie: ";
        block += sendCookies;
    }
}

ByteBuffer ReadBody(TransportRequest& request) {
    ByteBuffer body;
    for (;;) {
        std::array<std::uint8_t, kReadPiece> piece{};
        const std::size_t count = std::min(request.Read(piece), piece.size());
        if (count == 0) {
            return body;
        }
        body.insert(body.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(count));
    }
}

Text ReadRawHeaders(TransportRequest& request) {
    Text buffer(kRawHeaderBuffer, ' ');
    request.QueryRawHeaders(buffer);
    const auto end = buffer.find('\0');
    if (end != Text::npos) {
        buffer.resize(end);
    }
    return buffer;
}

std::mutex& InstalledTransportMutex() {
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<HttpTransport>& InstalledTransportSlot() {
    static std::shared_ptr<HttpTransport> installed;
    return installed;
}

std::shared_ptr<HttpTransport> ProcessTransport() {
    static const auto transport = std::make_shared<CurlTransport>();
    return transport;
}

std::shared_ptr<HttpTransport> CurrentTransport() {
    std::lock_guard lock(InstalledTransportMutex());
    auto& slot = InstalledTransportSlot();
    if (!slot) {
        slot = ProcessTransport();
    }
    return slot;
}

}  // namespace

const Text& DefaultUserAgent() {
    static const Text agent =
        "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; PX42N; .NET CLR 2.0.50727; .NET CLR "
        "3.0.04506.648; .NET CLR 3.5.21022)";
    return agent;
}

std::uint32_t RequestFlags(std::string_view url, const HttpRequestOptions& options) {
    std::uint32_t flags = requestflag::kReload | requestflag::kNeedFile;
    if (options.sendCookies) {
        flags |= requestflag::kNoCookies;
    }
    if (options.noRedirect.value_or(false)) {
        flags |= requestflag::kNoAutoRedirect;
    }
    flags |= IsHttps(url) ? requestflag::kSecure : requestflag::kIgnoreRedirectToHttps;
    return flags;
}

ByteBuffer HttpRequest(HttpTransport& transport, std::string_view url,
                       HttpRequestOptions& options) {
    const int method = options.method.value_or(0);
    const std::string_view verb = method == 1 ? "POST" : "GET";
    Text headerBlock = options.extraHeaders.value_or(Text());
    const Text userAgent = UserAgentFor(headerBlock);

    auto session = options.proxy
                       ? transport.Open(userAgent, AccessType::kProxy, "http=" + *options.proxy, "")
                       : transport.Open(userAgent, AccessType::kDirect, {}, {});
    if (!session) {
        return {};
    }
    auto connection = session->Connect(UrlHost(url), UrlPort(url));
    if (!connection) {
        return {};
    }
    auto request =
        connection->OpenRequest(verb, UrlPath(url), "HTTP/1.1", RequestFlags(url, options));
    if (!request) {
        return {};
    }

    CompleteHeaderBlock(headerBlock, url, options.sendCookies.value_or(Text()));
    ByteBuffer postBytes = options.postBytes.value_or(ByteBuffer());
    if (method == 0) {
        request->Send(headerBlock, std::nullopt);
    } else {
        if (postBytes.empty()) {
            postBytes = TextToBytes(options.postText.value_or(Text()));
        }
        request->Send(headerBlock, std::span<const std::uint8_t>(postBytes));
    }
    ByteBuffer body = ReadBody(*request);
    Text rawHeaders = ReadRawHeaders(*request);

    request.reset();
    connection.reset();
    session.reset();

    if (options.extraHeaders) {
        options.extraHeaders = std::move(headerBlock);
    }
    if (options.postBytes) {
        options.postBytes = std::move(postBytes);
    }
    ApplyResponseHeaders(rawHeaders, options);
    if (options.rawHeaders) {
        options.rawHeaders = std::move(rawHeaders);
    }
    return body;
}

ByteBuffer HttpRequest(std::string_view url, HttpRequestOptions& options) {
    return HttpRequest(*CurrentTransport(), url, options);
}

ByteBuffer HttpRequest(std::string_view url) {
    HttpRequestOptions none;
    return HttpRequest(url, none);
}

Text FetchPageText(std::string_view url) {
    return BytesToText(HttpRequest(url));
}

std::shared_ptr<HttpTransport> InstallTransport(std::shared_ptr<HttpTransport> transport) {
    std::lock_guard lock(InstalledTransportMutex());
    auto& slot = InstalledTransportSlot();
    auto previous = slot ? slot : ProcessTransport();
    slot = transport ? std::move(transport) : ProcessTransport();
    return previous;
}

}  // namespace zelkor
