#include "web/curltransport.h"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "web/redirect.h"

namespace zelkor {

namespace {

constexpr int kMaxRedirects = 10;

struct EasyCleanup {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using EasyHandle = std::unique_ptr<CURL, EasyCleanup>;

struct ListCleanup {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, ListCleanup>;

struct ShareCleanup {
    void operator()(CURLSH* share) const { curl_share_cleanup(share); }
};

void InitialiseCurlOnce() {
    static const bool initialised = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)initialised;
}

// A text that stays on one header line: everything up to the first line break.
std::string OneLine(std::string_view text) {
    return std::string(text.substr(0, std::min(text.find_first_of("\r\n"), text.size())));
}

// The proxy for `secure` requests out of a list such as "http=host:port https=host:port" or
// a bare "host:port" that serves every scheme; empty when none applies.
std::string ProxyFor(std::string_view proxyList, bool secure) {
    const std::string_view scheme = secure ? "https" : "http";
    std::string found;
    std::size_t start = 0;
    while (start < proxyList.size()) {
        const auto end = std::min(proxyList.find_first_of(" ;\t", start), proxyList.size());
        const std::string_view entry = proxyList.substr(start, end - start);
        start = end + 1;
        if (entry.empty()) {
            continue;
        }
        const auto equals = entry.find('=');
        if (equals == std::string_view::npos) {
            if (found.empty()) {
                found = entry;
            }
        } else if (ToLower(entry.substr(0, equals)) == scheme) {
            found = entry.substr(equals + 1);
        }
    }
    if (found.empty()) {
        return {};
    }
    return found.find("://") == std::string::npos ? "http://" + found : found;
}

// The last Location value of a raw header text, its name in any case.
std::string LastLocation(std::string_view rawHeaders) {
    std::string location;
    for (const Text& line : SplitText(rawHeaders, "\r\n")) {
        if (ToLower(TextLeft(line, 9)) == "location:") {
            location = TrimSpaces(TextMid(line, 10, TextLength(line)));
        }
    }
    return location;
}

std::string AbsoluteRequestTarget(const HttpTarget& target) {
    std::string result = "http://" + target.host;
    if (target.port != 80) {
        result += ":" + std::to_string(target.port);
    }
    return result + RequestLineTarget(target.path);
}

bool IsFollowedStatus(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

struct CurlTransport::Shared {
    explicit Shared(CurlTimeouts limits) : timeouts(limits) {
        InitialiseCurlOnce();
        share.reset(curl_share_init());
        if (!share) {
            return;
        }
        curl_share_setopt(share.get(), CURLSHOPT_LOCKFUNC, &Lock);
        curl_share_setopt(share.get(), CURLSHOPT_UNLOCKFUNC, &Unlock);
        curl_share_setopt(share.get(), CURLSHOPT_USERDATA, this);
        curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
        curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
        curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
    }

    static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
        static_cast<Shared*>(self)->MutexFor(data).lock();
    }
    static void Unlock(CURL*, curl_lock_data data, void* self) {
        static_cast<Shared*>(self)->MutexFor(data).unlock();
    }
    std::mutex& MutexFor(curl_lock_data data) {
        const auto index = static_cast<std::size_t>(data);
        return mutexes[index < mutexes.size() ? index : 0];
    }

    // Idle easy handles kept for the next request: setting one up costs about as much as the
    // request itself on a kept-alive loopback connection. Only handles with the cookie store
    // on are kept, as nothing switches it off again. The flag tells a kept handle from a new.
    std::pair<EasyHandle, bool> TakeEasy(bool cookies) {
        std::lock_guard lock(idleMutex);
        if (!cookies || idle.empty()) {
            return {EasyHandle(curl_easy_init()), false};
        }
        EasyHandle easy = std::move(idle.back());
        idle.pop_back();
        return {std::move(easy), true};
    }
    void ReturnEasy(EasyHandle easy, bool cookies) {
        std::lock_guard lock(idleMutex);
        if (cookies && idle.size() < kMaxIdleHandles) {
            idle.push_back(std::move(easy));
        }
    }

    static constexpr std::size_t kMaxIdleHandles = 4;
    CurlTimeouts timeouts;
    std::array<std::mutex, CURL_LOCK_DATA_LAST> mutexes;
    std::unique_ptr<CURLSH, ShareCleanup> share;
    // Declared behind the share: idle handles must be cleaned up before the share they use.
    std::mutex idleMutex;
    std::vector<EasyHandle> idle;
};

namespace {

struct RequestSetup {
    std::string userAgent;
    std::string proxyList;
    bool viaProxy = false;
    HttpTarget target;
    std::string verb;
    std::uint32_t flags = 0;
};

class CurlRequest final : public TransportRequest {
public:
    CurlRequest(std::shared_ptr<CurlTransport::Shared> shared, RequestSetup setup)
        : shared_(std::move(shared)), setup_(std::move(setup)) {}

    void Send(std::string_view headerBlock,
              std::optional<std::span<const std::uint8_t>> body) override {
        const bool cookies = (setup_.flags & requestflag::kNoCookies) == 0;
        auto [easy, reused] = shared_->TakeEasy(cookies);
        if (!easy) {
            return;
        }
        configured_ = reused;
        PerformHops(easy.get(), headerBlock, body);
        shared_->ReturnEasy(std::move(easy), cookies);
    }

    std::size_t Read(std::span<std::uint8_t> buffer) override {
        const std::size_t count = std::min(buffer.size(), body_.size() - readOffset_);
        std::copy_n(body_.begin() + static_cast<std::ptrdiff_t>(readOffset_), count,
                    buffer.begin());
        readOffset_ += count;
        return count;
    }

    bool QueryRawHeaders(std::span<char> buffer) override {
        if (headers_.empty() || headers_.size() + 1 > buffer.size()) {
            return false;
        }
        std::copy(headers_.begin(), headers_.end(), buffer.begin());
        buffer[headers_.size()] = '\0';
        return true;
    }

private:
    void PerformHops(CURL* easy, std::string_view headerBlock,
                     std::optional<std::span<const std::uint8_t>> body) {
        const HeaderList headers = BuildHeaders(headerBlock);
        HttpTarget target = setup_.target;
        std::string verb = setup_.verb;
        std::optional<std::vector<std::uint8_t>> sentBody;
        if (body) {
            sentBody.emplace(body->begin(), body->end());
        }
        for (int hop = 0;; ++hop) {
            body_.clear();
            headers_.clear();
            readOffset_ = 0;
            Perform(easy, target, verb, sentBody, headers.get());
            long status = 0;
            curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
            if ((setup_.flags & requestflag::kNoAutoRedirect) != 0 || hop == kMaxRedirects ||
                !IsFollowedStatus(status)) {
                return;
            }
            const auto next = ResolveLocation(target, LastLocation(headers_));
            if (!next) {
                return;
            }
            if (status == 303 || ((status == 301 || status == 302) && verb == "POST")) {
                verb = "GET";
                sentBody.reset();
            }
            target = *next;
        }
    }

    static HeaderList BuildHeaders(std::string_view headerBlock) {
        HeaderList list;
        auto append = [&list](const std::string& line) {
            if (curl_slist* grown = curl_slist_append(list.get(), line.c_str())) {
                (void)list.release();
                list.reset(grown);
            }
        };
        for (const Text& line : SplitText(headerBlock, "\r\n")) {
            // A stray line break or zero byte would split or cut the request.
            if (!line.empty() && line.find_first_of(std::string_view("\r\n\0", 3)) == Text::npos) {
                append(line);
            }
        }
        append("Expect:");
        return list;
    }

    // Settings that stay the same on a handle for its whole life (a reset would leak the
    // cookie store's setup in libcurl, so handles are configured once instead).
    void ConfigureOnce(CURL* easy) {
        curl_easy_setopt(easy, CURLOPT_SHARE, shared_->share.get());
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                         static_cast<long>(shared_->timeouts.connect.count()));
        curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &CurlRequest::OnProgress);
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &CurlRequest::OnHeader);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlRequest::OnBody);
        if ((setup_.flags & requestflag::kNoCookies) == 0) {
            curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
        }
    }

    void Perform(CURL* easy, const HttpTarget& target, const std::string& verb,
                 const std::optional<std::vector<std::uint8_t>>& sentBody, curl_slist* headers) {
        if (!configured_) {
            ConfigureOnce(easy);
            configured_ = true;
        }
        const std::string address = TargetAddress(target);
        const std::string proxy =
            setup_.viaProxy ? ProxyFor(setup_.proxyList, target.secure) : std::string();
        // A proxy that is not tunnelling needs the whole address on the request line.
        const std::string requestTarget = proxy.empty() || target.secure
                                              ? RequestLineTarget(target.path)
                                              : AbsoluteRequestTarget(target);
        curl_easy_setopt(easy, CURLOPT_URL, address.c_str());
        curl_easy_setopt(easy, CURLOPT_REQUEST_TARGET, requestTarget.c_str());
        curl_easy_setopt(easy, CURLOPT_PROXY, proxy.c_str());
        curl_easy_setopt(easy, CURLOPT_USERAGENT, setup_.userAgent.c_str());
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
        if (sentBody) {
            // Never a null pointer: with one libcurl would read the body from a callback.
            static const std::uint8_t kNoBytes = 0;
            curl_easy_setopt(easy, CURLOPT_POST, 1L);
            curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                             static_cast<curl_off_t>(sentBody->size()));
            curl_easy_setopt(easy, CURLOPT_POSTFIELDS,
                             sentBody->empty() ? &kNoBytes : sentBody->data());
        } else {
            curl_easy_setopt(easy, CURLOPT_POSTFIELDS, nullptr);
            curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        }
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, verb.c_str());
        curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
        lastActivity_ = std::chrono::steady_clock::now();
        uploaded_ = 0;
        curl_easy_perform(easy);
    }

    // Ends a transfer that has received nothing for the silence time-out. libcurl calls this
    // at least about once a second, also while nothing arrives.
    static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t uploaded) {
        auto& request = *static_cast<CurlRequest*>(self);
        const auto now = std::chrono::steady_clock::now();
        if (uploaded != request.uploaded_) {
            request.uploaded_ = uploaded;
            request.lastActivity_ = now;
        }
        return now - request.lastActivity_ > request.shared_->timeouts.silence ? 1 : 0;
    }

    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self) {
        auto& request = *static_cast<CurlRequest*>(self);
        request.lastActivity_ = std::chrono::steady_clock::now();
        std::string_view line(data, size * count);
        if (line.starts_with("HTTP/")) {
            request.headers_.clear();  // an interim or proxy response came first
        }
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.remove_suffix(1);
        }
        request.headers_ += line;
        request.headers_ += "\r\n";
        return size * count;
    }

    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self) {
        auto& request = *static_cast<CurlRequest*>(self);
        request.lastActivity_ = std::chrono::steady_clock::now();
        auto& body = request.body_;
        body.insert(body.end(), data, data + size * count);
        return size * count;
    }

    std::shared_ptr<CurlTransport::Shared> shared_;
    RequestSetup setup_;
    std::vector<std::uint8_t> body_;
    std::size_t readOffset_ = 0;
    std::string headers_;
    std::chrono::steady_clock::time_point lastActivity_;
    curl_off_t uploaded_ = 0;
    bool configured_ = false;
};

class CurlConnection final : public TransportConnection {
public:
    CurlConnection(std::shared_ptr<CurlTransport::Shared> shared, RequestSetup setup)
        : shared_(std::move(shared)), setup_(std::move(setup)) {}

    std::unique_ptr<TransportRequest> OpenRequest(std::string_view verb, std::string_view path,
                                                  std::string_view version,
                                                  std::uint32_t flags) override {
        if (version != "HTTP/1.1" || verb.empty() ||
            verb.find_first_of(std::string_view(" \r\n\0", 4)) != std::string_view::npos) {
            return nullptr;
        }
        RequestSetup setup = setup_;
        setup.verb = verb;
        setup.flags = flags;
        setup.target.secure = (flags & requestflag::kSecure) != 0;
        setup.target.path = path.empty() ? Text("/") : Text(path);
        return std::make_unique<CurlRequest>(shared_, std::move(setup));
    }

private:
    std::shared_ptr<CurlTransport::Shared> shared_;
    RequestSetup setup_;
};

class CurlSession final : public TransportSession {
public:
    CurlSession(std::shared_ptr<CurlTransport::Shared> shared, RequestSetup setup)
        : shared_(std::move(shared)), setup_(std::move(setup)) {}

    std::unique_ptr<TransportConnection> Connect(std::string_view host, int port) override {
        if (!IsUsableHost(host) || port < 1 || port > 65535) {
            return nullptr;
        }
        RequestSetup setup = setup_;
        setup.target.host = ToLower(host);
        setup.target.port = port;
        return std::make_unique<CurlConnection>(shared_, std::move(setup));
    }

private:
    std::shared_ptr<CurlTransport::Shared> shared_;
    RequestSetup setup_;
};

}  // namespace

CurlTransport::CurlTransport(CurlTimeouts timeouts) : shared_(std::make_shared<Shared>(timeouts)) {}

CurlTransport::~CurlTransport() = default;

std::unique_ptr<TransportSession> CurlTransport::Open(std::string_view userAgent,
                                                      AccessType accessType,
                                                      std::string_view proxyList,
                                                      std::string_view /*bypassList*/) {
    if (!shared_->share) {
        return nullptr;
    }
    RequestSetup setup;
    setup.userAgent = OneLine(userAgent);
    setup.viaProxy = accessType == AccessType::kProxy;
    setup.proxyList = proxyList;
    return std::make_unique<CurlSession>(shared_, std::move(setup));
}

}  // namespace zelkor
