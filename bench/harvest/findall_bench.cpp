// FindAll of the listing pattern over realistic listing pages (20 KB, the size of the demo
// site's, and 200 KB), and over the hostile
// 10 MB one-line page that must not make the matcher run away.
#include <benchmark/benchmark.h>

#include <string>

#include "harvest/patternmatcher.h"
#include "harvest/pcre2engine.h"
#include "text/gbk.h"

namespace zelkor {
namespace {

const Text kListingPattern = R"(<a href="06/(.*?)/(.*?).html" target="_blank">(.*?)</a>)";

Text ListingPage(std::size_t size) {
    Text page = Gbk(u8"<html><head><title>系统工具</title></head><body><div class=\"side\">");
    for (int i = 0; i < 40; ++i) {
        page += Gbk(u8"<p>热门推荐：网络助手、音乐播放器</p>\n");
    }
    page += "<div id=\"etools\"><ul>\n";
    for (int i = 0; page.size() < size; ++i) {
        page += "<li><span class=\"date\">2024-03-" + std::to_string(i % 28 + 1) +
                "</span><a href=\"06/2024-03/" + std::to_string(10000 + i) +
                ".html\" target=\"_blank\">" + Gbk(u8"系统清理助手源码，带数据库例程") +
                std::to_string(i) + "</a><em>" + Gbk(u8"下载次数") + "</em></li>\n";
    }
    page += Gbk(u8"</ul>总数：<b>5000</b></div></body></html>");
    return page;
}

Text HostilePage() {
    Text line;
    for (int i = 0; i < 100'000; ++i) {
        line += "<a href=\"06/" + Text(88, 'x');
    }
    return line;
}

void RunFindAll(benchmark::State& state, const Text& page) {
    Pcre2EngineFactory engines;
    PatternMatcher matcher(engines);
    for (auto _ : state) {
        matcher.FindAll(kListingPattern, page);
        benchmark::DoNotOptimize(matcher.MatchCount());
    }
    state.counters["matches"] = matcher.MatchCount();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

void BM_FindAllListingPage(benchmark::State& state) {
    const Text page = ListingPage(static_cast<std::size_t>(state.range(0)));
    RunFindAll(state, page);
}
BENCHMARK(BM_FindAllListingPage)->Arg(7'000)->Arg(20'000)->Arg(200'000)->Unit(benchmark::kMicrosecond);

void BM_FindAllHostilePage(benchmark::State& state) {
    static const Text page = HostilePage();
    RunFindAll(state, page);
}
BENCHMARK(BM_FindAllHostilePage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelkor
