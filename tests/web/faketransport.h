#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "web/transport.h"

namespace zelkor::testsupport {

// A transport that records every call with its arguments and plays back a script.
class FakeTransport final : public HttpTransport {
public:
    struct Script {
        bool openFails = false;
        bool connectFails = false;
        bool openRequestFails = false;
        std::vector<std::string> bodyPieces;    // one piece per read, then 0
        std::optional<std::string> rawHeaders;  // written with its zero byte; nothing: fails
    };
    struct Log {
        std::vector<std::string> calls;
        std::string userAgent;
        AccessType accessType = AccessType::kDirect;
        std::string proxyList = "<unset>";
        std::string bypassList = "<unset>";
        std::string host;
        int port = -1;
        std::string verb;
        std::string path;
        std::string version;
        std::uint32_t flags = 0;
        std::string headerBlock;
        std::optional<std::string> body;
        std::vector<std::size_t> readBufferSizes;
        bool readBuffersZeroed = true;
        std::size_t queryBufferSize = 0;
        bool queryBufferSpaces = false;
    };

    Script script;
    Log log;

    std::unique_ptr<TransportSession> Open(std::string_view userAgent, AccessType accessType,
                                           std::string_view proxyList,
                                           std::string_view bypassList) override;
};

}  // namespace zelkor::testsupport
