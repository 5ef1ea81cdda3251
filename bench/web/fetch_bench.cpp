// Sequential page fetches over one kept-alive loopback connection.
//   bench_web serve          serves a 30 KB page at every address and prints the base address;
//                            stops when its standard input closes
//   bench_web fetch BASE N   fetches BASE/list_1.html ... BASE/list_N.html with FetchPageText
//                            and prints the time taken
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>

#include "tests/support/loopbackserver.h"
#include "web/httprequest.h"

namespace {

std::string Page() {
    std::string page = "<html><head><title>\xD4\xB4\xC2\xEB</title></head><body><ul>\n";
    for (int i = 0; page.size() < 30 * 1024 - 100; ++i) {
        page += "<li><a href=\"/wode_source/etools/" + std::to_string(i) +
                ".html\">\xD4\xB4\xC2\xEB\xCF\xC2\xD4\xD8 " + std::to_string(i) + "</a></li>\n";
    }
    const std::string end = "</ul></body></html>\n";
    page.resize(30 * 1024 - end.size(), ' ');
    return page + end;
}

int Serve() {
    zelkor::testsupport::LoopbackServer server;
    const auto reply =
        zelkor::testsupport::ServerReply::Http(200, "Content-Type: text/html; charset=gbk", Page());
    server.SetHandler([reply](const zelkor::testsupport::RecordedRequest&) { return reply; });
    std::cout << server.Url("") << std::endl;
    std::string ignored;
    while (std::getline(std::cin, ignored)) {
    }
    return 0;
}

int Fetch(const std::string& base, int count) {
    std::size_t bytes = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 1; i <= count; ++i) {
        bytes += zelkor::FetchPageText(base + "/list_" + std::to_string(i) + ".html").size();
    }
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("%d fetches, %zu bytes, %.1f ms\n", count, bytes, took.count());
    return bytes == 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "serve" && argc == 2) {
        return Serve();
    }
    if (mode == "fetch" && argc == 4) {
        return Fetch(argv[2], std::stoi(argv[3]));
    }
    std::fprintf(stderr, "usage: bench_web serve | bench_web fetch BASE COUNT\n");
    return 2;
}
