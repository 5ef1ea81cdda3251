#include "tests/web/faketransport.h"

#include <algorithm>

namespace zelkor::testsupport {

namespace {

class FakeRequest final : public TransportRequest {
public:
    explicit FakeRequest(FakeTransport& transport) : transport_(transport) {}
    ~FakeRequest() override { transport_.log.calls.push_back("close request"); }

    void Send(std::string_view headerBlock,
              std::optional<std::span<const std::uint8_t>> body) override {
        auto& log = transport_.log;
        log.calls.push_back("send");
        log.headerBlock = headerBlock;
        if (body) {
            log.body = std::string(body->begin(), body->end());
        }
    }

    std::size_t Read(std::span<std::uint8_t> buffer) override {
        auto& log = transport_.log;
        log.calls.push_back("read");
        log.readBufferSizes.push_back(buffer.size());
        log.readBuffersZeroed = log.readBuffersZeroed && std::all_of(buffer.begin(), buffer.end(),
                                                                     [](auto b) { return b == 0; });
        auto& pieces = transport_.script.bodyPieces;
        if (nextPiece_ >= pieces.size()) {
            return 0;
        }
        const std::string& piece = pieces[nextPiece_++];
        const std::size_t count = std::min(piece.size(), buffer.size());
        std::copy_n(piece.begin(), count, buffer.begin());
        return count;
    }

    bool QueryRawHeaders(std::span<char> buffer) override {
        auto& log = transport_.log;
        log.calls.push_back("query");
        log.queryBufferSize = buffer.size();
        log.queryBufferSpaces =
            std::all_of(buffer.begin(), buffer.end(), [](char c) { return c == ' '; });
        const auto& headers = transport_.script.rawHeaders;
        if (!headers || headers->size() + 1 > buffer.size()) {
            return false;
        }
        std::copy(headers->begin(), headers->end(), buffer.begin());
        buffer[headers->size()] = '\0';
        return true;
    }

private:
    FakeTransport& transport_;
    std::size_t nextPiece_ = 0;
};

class FakeConnection final : public TransportConnection {
public:
    explicit FakeConnection(FakeTransport& transport) : transport_(transport) {}
    ~FakeConnection() override { transport_.log.calls.push_back("close connection"); }

    std::unique_ptr<TransportRequest> OpenRequest(std::string_view verb, std::string_view path,
                                                  std::string_view version,
                                                  std::uint32_t flags) override {
        auto& log = transport_.log;
        log.calls.push_back("open request");
        log.verb = verb;
        log.path = path;
        log.version = version;
        log.flags = flags;
        if (transport_.script.openRequestFails) {
            return nullptr;
        }
        return std::make_unique<FakeRequest>(transport_);
    }

private:
    FakeTransport& transport_;
};

class FakeSession final : public TransportSession {
public:
    explicit FakeSession(FakeTransport& transport) : transport_(transport) {}
    ~FakeSession() override { transport_.log.calls.push_back("close session"); }

    std::unique_ptr<TransportConnection> Connect(std::string_view host, int port) override {
        auto& log = transport_.log;
        log.calls.push_back("connect");
        log.host = host;
        log.port = port;
        if (transport_.script.connectFails) {
            return nullptr;
        }
        return std::make_unique<FakeConnection>(transport_);
    }

private:
    FakeTransport& transport_;
};

}  // namespace

std::unique_ptr<TransportSession> FakeTransport::Open(std::string_view userAgent,
                                                      AccessType accessType,
                                                      std::string_view proxyList,
                                                      std::string_view bypassList) {
    log.calls.push_back("open");
    log.userAgent = userAgent;
    log.accessType = accessType;
    log.proxyList = proxyList;
    log.bypassList = bypassList;
    if (script.openFails) {
        return nullptr;
    }
    return std::make_unique<FakeSession>(*this);
}

}  // namespace zelkor::testsupport
