#include "web/redirect.h"

#include <algorithm>
#include <vector>

namespace zelkor {

namespace {

bool IsHostByte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_';
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && ToLower(text.substr(0, prefix.size())) == prefix;
}

std::optional<int> ParsePort(std::string_view digits, int defaultPort) {
    if (digits.empty()) {
        return defaultPort;
    }
    if (digits.size() > 5 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const int port = std::stoi(std::string(digits));
    if (port < 1 || port > 65535) {
        return std::nullopt;
    }
    return port;
}

// "host[:port]" followed by the rest of an address; the rest becomes the path.
std::optional<HttpTarget> ParseAuthority(bool secure, std::string_view rest) {
    const auto end = std::min(rest.find_first_of("/?"), rest.size());
    const std::string_view authority = rest.substr(0, end);
    if (authority.find('@') != std::string_view::npos) {
        return std::nullopt;
    }
    HttpTarget target;
    target.secure = secure;
    const auto colon = authority.find(':');
    target.host = ToLower(authority.substr(0, colon));
    if (!IsUsableHost(target.host)) {
        return std::nullopt;
    }
    const auto port = ParsePort(
        colon == std::string_view::npos ? std::string_view() : authority.substr(colon + 1),
        secure ? 443 : 80);
    if (!port) {
        return std::nullopt;
    }
    target.port = *port;
    const std::string_view path = rest.substr(end);
    target.path = path.empty() || path.front() != '/' ? "/" + Text(path) : Text(path);
    return target;
}

// Resolves "." and ".." segments of the path part; the query is left alone.
Text RemoveDotSegments(std::string_view objectPath) {
    const auto queryAt = std::min(objectPath.find('?'), objectPath.size());
    const std::string_view path = objectPath.substr(0, queryAt);
    std::vector<std::string_view> kept;
    std::size_t start = 1;
    bool endsInDirectory = false;
    while (start <= path.size()) {
        const auto slash = std::min(path.find('/', start), path.size());
        const std::string_view segment = path.substr(start, slash - start);
        endsInDirectory = slash == path.size() && (segment == "." || segment == "..");
        if (segment == "..") {
            if (!kept.empty()) {
                kept.pop_back();
            }
        } else if (segment != ".") {
            kept.push_back(segment);
        }
        start = slash + 1;
    }
    Text result;
    for (const std::string_view segment : kept) {
        result += '/';
        result += segment;
    }
    if (result.empty() || endsInDirectory) {
        result += '/';
    }
    result += objectPath.substr(queryAt);
    return result;
}

}  // namespace

bool IsUsableHost(std::string_view host) {
    return !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
        return IsHostByte(static_cast<unsigned char>(c));
    });
}

std::optional<HttpTarget> ResolveLocation(const HttpTarget& current, std::string_view location) {
    location = location.substr(0, std::min(location.find('#'), location.size()));
    if (location.empty()) {
        return std::nullopt;
    }
    if (StartsWithNoCase(location, "http://")) {
        return ParseAuthority(false, location.substr(7));
    }
    if (StartsWithNoCase(location, "https://")) {
        return ParseAuthority(true, location.substr(8));
    }
    if (location.starts_with("//")) {
        return ParseAuthority(current.secure, location.substr(2));
    }
    const auto colon = location.find(':');
    if (colon != std::string_view::npos && location.find_first_of("/?") > colon) {
        return std::nullopt;  // another scheme
    }
    HttpTarget next = current;
    const std::string_view currentPath =
        std::string_view(current.path)
            .substr(0, std::min(current.path.find('?'), current.path.size()));
    if (location.front() == '/') {
        next.path = RemoveDotSegments(location);
    } else if (location.front() == '?') {
        next.path = Text(currentPath) + Text(location);
    } else {
        const auto lastSlash = currentPath.rfind('/');
        const std::string_view directory =
            lastSlash == std::string_view::npos ? "/" : currentPath.substr(0, lastSlash + 1);
        next.path = RemoveDotSegments(Text(directory) + Text(location));
    }
    return next;
}

Text RequestLineTarget(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    Text result;
    result.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) {
            result += '%';
            result += kHex[byte >> 4];
            result += kHex[byte & 0x0F];
        } else {
            result += c;
        }
    }
    return result;
}

std::string TargetAddress(const HttpTarget& target) {
    return std::string(target.secure ? "https://" : "http://") + target.host + ":" +
           std::to_string(target.port) + RequestLineTarget(target.path);
}

}  // namespace zelkor
