// FindText of an ASCII marker over a 1 MB GBK page, against memmem over the same bytes (the limit
// for any byte search).
#include <benchmark/benchmark.h>

#include <cstring>

#include "text/gbk.h"
#include "text/text.h"

namespace zelkor {
namespace {

// A realistic page: Chinese titles and markup, with the sought marker only at the very end.
const Text& Page() {
    static const Text page = [] {
        const Text row =
            Gbk(u8"<li><span>2024-03-01</span><a href=\"06/2024-03/1234.html\" "
                u8"target=\"_blank\">系统清理助手源码，带数据库例程</a></li>\n");
        Text p;
        while (p.size() < 1'000'000) {
            p += row;
        }
        p += Gbk(u8"总数：<b>57</b>");
        return p;
    }();
    return page;
}

void BM_FindText(benchmark::State& state) {
    const Text& page = Page();
    const Text marker = "</font>/";
    const Text sought = Gbk(u8"总数：<b>");
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindText(page, state.range(0) ? sought : marker));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_FindText)->Arg(1)->ArgName("chineseMarker");

void BM_Memmem(benchmark::State& state) {
    const Text& page = Page();
    const Text sought = Gbk(u8"总数：<b>");
    for (auto _ : state) {
        benchmark::DoNotOptimize(::memmem(page.data(), page.size(), sought.data(), sought.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_Memmem);

void BM_FindTextAscii(benchmark::State& state) {
    const Text& page = Page();
    const Text sought = "<b>57";
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindText(page, sought));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_FindTextAscii);

void BM_MemmemAscii(benchmark::State& state) {
    const Text& page = Page();
    const Text sought = "<b>57";
    for (auto _ : state) {
        benchmark::DoNotOptimize(::memmem(page.data(), page.size(), sought.data(), sought.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_MemmemAscii);

}  // namespace
}  // namespace zelkor
