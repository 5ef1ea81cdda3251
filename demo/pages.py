"""HTML of the site's pages, as text; the caller encodes it in GBK.

Listing pages keep one rule that readers of the site rely on: the category segment (for
example "etools") appears nowhere before the element that opens the item list, and the first
"总数" after it belongs to the pager behind the list. So the header, the navigation and the
sidebar never name a category's segment, and the category links live in the footer.
"""

from __future__ import annotations

from html import escape
from urllib.parse import quote_from_bytes

from catalogue import SEARCH_PAGE_SIZE, SECTION_NAMES, Catalogue, Category, Item, page_count

SITE_NAME = "零壹源码库"

STYLE = """body{margin:0;font:12px/1.8 sans-serif;color:#333;background:#f4f6f9}
a{color:#1a4f8b;text-decoration:none}a:hover{color:#c00}
.top{background:#1d5fa8;color:#fff;padding:8px 16px;overflow:hidden}
.logo{font-size:20px;font-weight:bold;margin-right:12px}.top form{float:right}
.nav{background:#2a71c0;padding:4px 16px}.nav a{color:#fff;margin-right:16px}
.main{width:960px;margin:8px auto;overflow:hidden}
.side{float:left;width:220px;background:#fff;border:1px solid #d6dde8;padding:0 8px}
.content{float:right;width:700px;background:#fff;border:1px solid #d6dde8;padding:0 8px}
.side ul,.content ul{margin:0;padding:0;list-style:none}
.date{float:right;color:#888}.pager{padding:8px 0;border-top:1px dashed #ccc}
.info th{text-align:right;color:#666;font-weight:normal}.down a{font-size:14px;font-weight:bold}
.foot{clear:both;text-align:center;color:#777;padding:12px}"""

DESCRIPTIONS = [
    "代码结构清晰，关键步骤都有注释，适合初学者参考学习。",
    "界面简洁，功能完整，可直接编译运行，也可按需修改扩展。",
    "作者整理了常见问题的处理办法，附带使用说明。",
    "采用模块化写法，各功能独立成子程序，便于移植到自己的项目中。",
    "经多位网友测试可用，如有问题欢迎在评论区留言交流。",
]


def _document(title: str, body: str) -> str:
    return ("<!DOCTYPE html>\n<html>\n<head>\n"
            '<meta http-equiv="Content-Type" content="text/html; charset=gbk">\n'
            '<base href="/">\n'
            f"<title>{title}_{SITE_NAME}</title>\n<style>\n{STYLE}\n</style>\n</head>\n"
            f"<body>\n{body}\n</body>\n</html>\n")


def _header(keyword: str = "") -> str:
    return ('<div class="top"><span class="logo">' + SITE_NAME + "</span>海量源码免费下载\n"
            '<form action="/search/" method="get"><input type="hidden" name="type" value="all">'
            f'<input type="text" name="q" value="{escape(keyword)}" size="24">'
            '<input type="hidden" name="s" value=""><input type="submit" value="搜索"></form>'
            "</div>\n"
            '<div class="nav"><a href="/">首页</a><a href="/wode_source/">源码分类</a>'
            '<a href="/wode_study/">教程分类</a><a href="/#latest">最近更新</a></div>\n')


def _footer(catalogue: Catalogue) -> str:
    groups = []
    for section, section_name in SECTION_NAMES.items():
        links = "".join(f' <a href="/{c.section}/{c.segment}/">{c.name}</a>'
                        for c in catalogue.categories if c.section == section)
        groups.append(f"<p>{section_name}：{links}</p>")
    return ('<div class="foot">\n' + "\n".join(groups) +
            f"\n<p>Copyright 2017-2024 {SITE_NAME}（演示站点，内容均为虚构）</p>\n</div>")


def _link(item: Item) -> str:
    return f'<a href="06/{item.folder}/{item.ident}.html" target="_blank">{item.title}</a>'


def _sidebar(catalogue: Catalogue) -> str:
    rows = "\n".join(f"<li>{_link(item)}</li>" for item in catalogue.popular)
    return (f'<div class="side">\n<h3>热门源码</h3>\n<ul>\n{rows}\n</ul>\n'
            "<h3>站点公告</h3>\n<p>本站所有源码均来自网友分享，仅供学习交流。</p>\n</div>")


def _page(catalogue: Catalogue, title: str, content: str, keyword: str = "") -> str:
    body = (_header(keyword) + '<div class="main">\n' + _sidebar(catalogue) +
            f'\n<div class="content">\n{content}\n</div>\n</div>\n' + _footer(catalogue))
    return _document(title, body)


def _pager(total: int, per_page: int, current: int, pages: int, address) -> str:
    links = ""
    if pages > 0:
        targets = [("首页", 1), ("上一页", max(current - 1, 1)), ("下一页", min(current + 1, pages)),
                   ("尾页", pages)]
        links = " ".join(f'<a href="{address(n)}">{label}</a>' for label, n in targets)
    return (f'<div class="pager">总数：<b>{total}</b>　每页：<b>{per_page}</b>　'
            f'页次：<b><font color="red">{current}</font>/{pages}</b>　{links}</div>')


def _breadcrumb(category: Category) -> str:
    return (f'当前位置：<a href="/">首页</a> &gt; <a href="/{category.section}/">'
            f"{SECTION_NAMES[category.section]}</a> &gt; "
            f'<a href="/{category.section}/{category.segment}/">{category.name}</a>')


def listing_page(catalogue: Catalogue, category: Category, page: int, front: bool) -> str:
    rows = "\n".join(f'<li><span class="date">{item.date}</span>{_link(item)}</li>'
                     for item in catalogue.listing_page(category, page))
    pager = _pager(catalogue.total(category), category.per_page, page, category.pages,
                   lambda n: f"/{category.section}/{category.segment}/{n}.html")
    content = (f'<div class="list" id="{category.segment}">\n<h2>{_breadcrumb(category)}</h2>\n'
               f"<ul>\n{rows}\n</ul>\n</div>\n{pager}")
    title = category.name if front else f"{category.name}_第{page}页"
    return _page(catalogue, title, content)


def search_page(catalogue: Catalogue, keyword: bytes, page: int, site_base: str) -> str:
    shown = keyword.decode("gbk", errors="replace")
    try:
        found = catalogue.search(keyword.decode("gbk"))
    except UnicodeDecodeError:
        found = []
    pages = page_count(len(found), SEARCH_PAGE_SIZE)
    start = (page - 1) * SEARCH_PAGE_SIZE
    rows = []
    for item in found[start:start + SEARCH_PAGE_SIZE]:
        marked = item.title.replace(shown, f'<font color="red">{shown}</font>')
        category = item.category
        rows.append(f'<li><span class="date">{item.date}</span>[<a href="/{category.section}/'
                    f'{category.segment}/">{category.name}</a>] <a target="_blank" '
                    f'href="{site_base}06/{item.folder}/{item.ident}.html">{marked}</a></li>')
    if not found:
        rows.append("<li>没有找到相关源码，请换个关键字试试。</li>")
    query = quote_from_bytes(keyword)
    pager = _pager(len(found), SEARCH_PAGE_SIZE, page if pages else 0, pages,
                   lambda n: f"/search/?type=all&amp;q={query}&amp;s=&amp;page={n}")
    rows_text = "\n".join(rows)
    content = (f'<div class="result">\n<h2>搜索“{escape(shown)}”的结果</h2>\n'
               f"<ul>\n{rows_text}\n</ul>\n</div>\n{pager}")
    return _page(catalogue, f"{escape(shown)}_搜索结果", content, shown)


def detail_page(catalogue: Catalogue, item: Item) -> str:
    category = item.category
    related = [other for other in catalogue.listings[category.segment] if other is not item][:8]
    related_rows = "\n".join(f"<li>{_link(other)}</li>" for other in related)
    description = DESCRIPTIONS[int(item.ident) % len(DESCRIPTIONS)]
    content = (f'<div class="detail">\n<h2>{_breadcrumb(category)}</h2>\n<h1>{item.title}</h1>\n'
               '<table class="info">\n'
               f"<tr><th>所属分类：</th><td>{category.name}</td><th>更新日期：</th>"
               f"<td>{item.date}</td></tr>\n"
               f"<tr><th>文件大小：</th><td>{item.size_kb} KB</td><th>下载次数：</th>"
               f"<td>{item.downloads}</td></tr>\n</table>\n"
               f"<h3>源码简介</h3>\n<p>{item.title}。{description}</p>\n"
               f'<h3>下载地址</h3>\n<p class="down"><a href="down.php?a_k={item.key}%3D" '
               'target="_blank">本地高速下载</a></p>\n'
               f"<h3>相关源码</h3>\n<ul>\n{related_rows}\n</ul>\n</div>")
    return _page(catalogue, item.title, content)


def download_page(catalogue: Catalogue, key: str, item: Item | None) -> str:
    heading = item.title if item else "资源不存在或链接已失效"
    body = ('<div class="top"><span class="logo">' + SITE_NAME + "</span>下载中心</div>\n"
            f'<div class="main">\n<h1>{heading}</h1>\n<p>点击下方按钮开始下载，如无反应请稍候再试。</p>\n'
            '<form action="/download.php" method="get">'
            f'<input type="hidden" name="a_k" value="{escape(key)}">'
            '<input type="image" src="/images/down.png" alt="点击下载" title="点击下载"></form>\n'
            "<p>温馨提示：本站资源仅供学习研究，请于下载后二十四小时内删除。</p>\n"
            '<img src="/images/banner.png" alt="" width="300" height="50">\n</div>\n' +
            _footer(catalogue))
    return _document("下载", body)


def home_page(catalogue: Catalogue) -> str:
    parts = []
    for section, section_name in SECTION_NAMES.items():
        parts.append(section_page_content(catalogue, section, section_name))
    latest = "\n".join(f'<li><span class="date">{item.date}</span>{_link(item)}</li>'
                       for item in catalogue.newest_first[:20])
    parts.append(f'<h2 id="latest">最近更新</h2>\n<ul>\n{latest}\n</ul>')
    return _page(catalogue, "首页", "\n".join(parts))


def section_page_content(catalogue: Catalogue, section: str, section_name: str) -> str:
    rows = "\n".join(f'<li><a href="/{c.section}/{c.segment}/">{c.name}</a>'
                     f"（{catalogue.total(c)}）</li>"
                     for c in catalogue.categories if c.section == section)
    return f"<h2>{section_name}</h2>\n<ul>\n{rows}\n</ul>"


def section_page(catalogue: Catalogue, section: str) -> str:
    name = SECTION_NAMES[section]
    return _page(catalogue, name, section_page_content(catalogue, section, name))


def not_found_page() -> str:
    return ("<!DOCTYPE html>\n<html><head>"
            '<meta http-equiv="Content-Type" content="text/html; charset=gbk">'
            "<title>404 页面不存在</title></head>\n"
            '<body><h1>404 页面不存在</h1><p><a href="/">返回首页</a></p></body></html>\n')
