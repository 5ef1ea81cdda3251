#pragma once

#include <chrono>
#include <memory>

#include "web/transport.h"

namespace zelkor {

struct CurlTimeouts {
    std::chrono::milliseconds connect{60000};
    // A transfer that receives nothing for this long ends.
    std::chrono::milliseconds silence{30000};
};

// The transport over libcurl. Everything opened through one instance shares one cookie store,
// connection cache and DNS cache, so cookies travel from request to request and connections
// are reused although every request opens and closes its own handles. Redirects are followed
// here (at most 10 hops) so that the object path is sent on the request line exactly as given;
// the body and raw headers reported are those of the final response.
class CurlTransport final : public HttpTransport {
public:
    explicit CurlTransport(CurlTimeouts timeouts = {});
    ~CurlTransport() override;
    CurlTransport(const CurlTransport&) = delete;
    CurlTransport& operator=(const CurlTransport&) = delete;

    std::unique_ptr<TransportSession> Open(std::string_view userAgent, AccessType accessType,
                                           std::string_view proxyList,
                                           std::string_view bypassList) override;

    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
};

}  // namespace zelkor
