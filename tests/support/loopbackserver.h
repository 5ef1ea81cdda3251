#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace zelkor::testsupport {

// One request as the server received it.
struct RecordedRequest {
    std::string raw;  // every byte: request line, header lines, blank line, body
    std::string method;
    std::string target;
    std::string version;
    std::vector<std::pair<std::string, std::string>> headers;  // in order, values trimmed
    std::string body;
    int connection = 0;  // 1 for the first connection accepted, and so on

    // The first header of that name, compared without regard to case; empty when none.
    std::string Header(std::string_view name) const;
    bool HasHeader(std::string_view name) const;
};

// What the server does for one request: a script of writes, pauses and a close.
class ServerReply {
public:
    // A complete response: status line (with the usual reason), the given header lines (CR LF
    // separated, no Content-Length), a Content-Length line and the body.
    static ServerReply Http(int status, std::string_view headerLines = {},
                            std::string_view body = {});
    static ServerReply Raw(std::string bytes);

    ServerReply& Then(std::string bytes);
    ServerReply& Pause(std::chrono::milliseconds duration);
    // Closes the connection at this point of the script; nothing later is played.
    ServerReply& Close();

    struct Step {
        enum class Kind { kWrite, kPause, kClose } kind;
        std::string bytes;
        std::chrono::milliseconds duration{0};
    };
    const std::vector<Step>& Steps() const { return steps_; }

private:
    std::vector<Step> steps_;
};

// An HTTP/1.1 server on 127.0.0.1 and a free port, serving from its own threads with
// keep-alive. Each request is recorded and answered by the handler; by default the routes set
// with Route answer by exact target and anything else gets a 404.
class LoopbackServer {
public:
    using Handler = std::function<ServerReply(const RecordedRequest&)>;

    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int Port() const { return port_; }
    // "http://127.0.0.1:PORT" followed by `path`.
    std::string Url(std::string_view path = "/") const;

    void Route(std::string target, ServerReply reply);
    void SetHandler(Handler handler);

    std::vector<RecordedRequest> Requests() const;
    int ConnectionCount() const;

private:
    void AcceptLoop();
    void Serve(int fd, int connection);
    ServerReply Answer(const RecordedRequest& request);
    // False when the connection is to be closed.
    bool Play(int fd, const ServerReply& reply);

    int listenFd_ = -1;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable stopSignal_;
    bool stopping_ = false;
    Handler handler_;
    std::map<std::string, ServerReply> routes_;
    std::vector<RecordedRequest> requests_;
    std::vector<int> openFds_;
    std::vector<std::thread> workers_;
    int connections_ = 0;
    std::thread acceptor_;
};

// A loopback port that nothing listens on at the time of the call.
int UnusedLoopbackPort();

}  // namespace zelkor::testsupport
