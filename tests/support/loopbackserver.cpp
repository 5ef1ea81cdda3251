#include "tests/support/loopbackserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace zelkor::testsupport {

namespace {

std::string Lower(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view ReasonFor(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 303:
            return "See Other";
        case 307:
            return "Temporary Redirect";
        case 308:
            return "Permanent Redirect";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

sockaddr_in LoopbackAddress(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int BoundLoopbackSocket() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        throw std::runtime_error("socket failed");
    }
    sockaddr_in address = LoopbackAddress(0);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        throw std::runtime_error("bind failed");
    }
    return fd;
}

int PortOf(int fd) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

bool SendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

// Parses the head of a request; the body is filled in by the caller.
RecordedRequest ParseHead(std::string_view head) {
    RecordedRequest request;
    std::size_t lineStart = 0;
    bool first = true;
    while (lineStart < head.size()) {
        const auto lineEnd = std::min(head.find("\r\n", lineStart), head.size());
        const std::string_view line = head.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 2;
        if (first) {
            first = false;
            const auto a = line.find(' ');
            const auto b = line.rfind(' ');
            request.method = line.substr(0, a);
            if (a != std::string_view::npos && b > a) {
                request.target = line.substr(a + 1, b - a - 1);
                request.version = line.substr(b + 1);
            }
            continue;
        }
        const auto colon = line.find(':');
        if (colon != std::string_view::npos) {
            request.headers.emplace_back(std::string(line.substr(0, colon)),
                                         std::string(Trim(line.substr(colon + 1))));
        }
    }
    return request;
}

}  // namespace

std::string RecordedRequest::Header(std::string_view name) const {
    const std::string wanted = Lower(name);
    for (const auto& [key, value] : headers) {
        if (Lower(key) == wanted) {
            return value;
        }
    }
    return {};
}

bool RecordedRequest::HasHeader(std::string_view name) const {
    const std::string wanted = Lower(name);
    return std::any_of(headers.begin(), headers.end(),
                       [&wanted](const auto& header) { return Lower(header.first) == wanted; });
}

ServerReply ServerReply::Http(int status, std::string_view headerLines, std::string_view body) {
    std::string bytes = "HTTP/1.1 " + std::to_string(status) + " " + std::string(ReasonFor(status));
    bytes += "\r\n";
    if (!headerLines.empty()) {
        bytes += headerLines;
        if (!headerLines.ends_with("\r\n")) {
            bytes += "\r\n";
        }
    }
    bytes += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    bytes += body;
    return Raw(std::move(bytes));
}

ServerReply ServerReply::Raw(std::string bytes) {
    ServerReply reply;
    reply.Then(std::move(bytes));
    return reply;
}

ServerReply& ServerReply::Then(std::string bytes) {
    steps_.push_back({Step::Kind::kWrite, std::move(bytes), {}});
    return *this;
}

ServerReply& ServerReply::Pause(std::chrono::milliseconds duration) {
    steps_.push_back({Step::Kind::kPause, {}, duration});
    return *this;
}

ServerReply& ServerReply::Close() {
    steps_.push_back({Step::Kind::kClose, {}, {}});
    return *this;
}

LoopbackServer::LoopbackServer() {
    listenFd_ = BoundLoopbackSocket();
    if (::listen(listenFd_, 64) != 0) {
        ::close(listenFd_);
        throw std::runtime_error("listen failed");
    }
    port_ = PortOf(listenFd_);
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        for (const int fd : openFds_) {
            ::shutdown(fd, SHUT_RDWR);
        }
    }
    stopSignal_.notify_all();
    ::shutdown(listenFd_, SHUT_RDWR);
    acceptor_.join();
    ::close(listenFd_);
    std::vector<std::thread> workers;
    {
        std::lock_guard lock(mutex_);
        workers.swap(workers_);
    }
    for (auto& worker : workers) {
        worker.join();
    }
}

std::string LoopbackServer::Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

void LoopbackServer::Route(std::string target, ServerReply reply) {
    std::lock_guard lock(mutex_);
    routes_.insert_or_assign(std::move(target), std::move(reply));
}

void LoopbackServer::SetHandler(Handler handler) {
    std::lock_guard lock(mutex_);
    handler_ = std::move(handler);
}

std::vector<RecordedRequest> LoopbackServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

int LoopbackServer::ConnectionCount() const {
    std::lock_guard lock(mutex_);
    return connections_;
}

void LoopbackServer::AcceptLoop() {
    for (;;) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        std::lock_guard lock(mutex_);
        if (fd < 0 || stopping_) {
            if (fd >= 0) {
                ::close(fd);
            }
            if (stopping_) {
                return;
            }
            continue;
        }
        openFds_.push_back(fd);
        const int connection = ++connections_;
        workers_.emplace_back([this, fd, connection] { Serve(fd, connection); });
    }
}

void LoopbackServer::Serve(int fd, int connection) {
    std::string pending;
    char chunk[16384];
    bool open = true;
    while (open) {
        const auto headEnd = pending.find("\r\n\r\n");
        if (headEnd == std::string::npos) {
            const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
            if (got <= 0) {
                break;
            }
            pending.append(chunk, static_cast<std::size_t>(got));
            continue;
        }
        RecordedRequest request = ParseHead(std::string_view(pending).substr(0, headEnd));
        const std::size_t bodyLength = static_cast<std::size_t>(
            std::strtoull(request.Header("Content-Length").c_str(), nullptr, 10));
        const std::size_t total = headEnd + 4 + bodyLength;
        while (pending.size() < total) {
            const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
            if (got <= 0) {
                open = false;
                break;
            }
            pending.append(chunk, static_cast<std::size_t>(got));
        }
        if (!open) {
            break;
        }
        request.raw = pending.substr(0, total);
        request.body = pending.substr(headEnd + 4, bodyLength);
        request.connection = connection;
        pending.erase(0, total);
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        open = Play(fd, Answer(request)) && Lower(request.Header("Connection")) != "close";
    }
    std::lock_guard lock(mutex_);
    openFds_.erase(std::remove(openFds_.begin(), openFds_.end(), fd), openFds_.end());
    ::close(fd);
}

ServerReply LoopbackServer::Answer(const RecordedRequest& request) {
    Handler handler;
    {
        std::lock_guard lock(mutex_);
        if (!handler_) {
            const auto route = routes_.find(request.target);
            return route != routes_.end() ? route->second : ServerReply::Http(404, {}, "not found");
        }
        handler = handler_;
    }
    return handler(request);
}

bool LoopbackServer::Play(int fd, const ServerReply& reply) {
    for (const auto& step : reply.Steps()) {
        switch (step.kind) {
            case ServerReply::Step::Kind::kWrite:
                if (!SendAll(fd, step.bytes)) {
                    return false;
                }
                break;
            case ServerReply::Step::Kind::kPause: {
                std::unique_lock lock(mutex_);
                if (stopSignal_.wait_for(lock, step.duration, [this] { return stopping_; })) {
                    return false;
                }
                break;
            }
            case ServerReply::Step::Kind::kClose:
                return false;
        }
    }
    return true;
}

int UnusedLoopbackPort() {
    const int fd = BoundLoopbackSocket();
    const int port = PortOf(fd);
    ::close(fd);
    return port;
}

}  // namespace zelkor::testsupport
