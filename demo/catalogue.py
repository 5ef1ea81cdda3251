"""The invented catalogue: categories, items, download keys and search.

Everything is derived from one seed, so two runs with the same seed serve byte-identical pages.
"""

from __future__ import annotations

import base64
import datetime
import random
from dataclasses import dataclass, field

DEFAULT_SEED = 20240611
SEARCH_PAGE_SIZE = 20
FIRST_DAY = datetime.date(2017, 6, 1)


@dataclass(frozen=True)
class Category:
    section: str
    segment: str
    name: str
    pages: int
    per_page: int


@dataclass(frozen=True)
class Item:
    folder: str
    ident: str
    title: str
    date: str
    category: Category
    size_kb: int
    downloads: int
    key: str


SECTION_NAMES = {"wode_source": "源码分类", "wode_study": "教程分类"}

# section, segment, name, listing pages, items per page
CATEGORY_TABLE = [
    ("wode_source", "etools", "系统工具", 200, 25),
    ("wode_source", "eimage", "图形图像", 7, 24),
    ("wode_source", "emedia", "多媒体类", 5, 30),
    ("wode_source", "egame", "游戏娱乐", 12, 22),
    ("wode_source", "edata", "数据库类", 4, 25),
    ("wode_source", "ecom", "模块控件", 9, 28),
    ("wode_source", "etrade", "行业软件", 3, 21),
    ("wode_source", "enetwork", "网络相关", 8, 26),
    ("wode_study", "eintroduction", "入门教程", 6, 20),
    ("wode_study", "ebasic", "初级教程", 2, 30),
    ("wode_study", "eintermediate", "进阶教程", 5, 23),
    ("wode_study", "eadvanced", "高级教程", 3, 20),
]

SUBJECTS = {
    "etools": ["系统清理", "进程管理", "开机启动管理", "文件批量改名", "注册表备份", "磁盘空间分析",
               "内存整理", "定时关机", "托盘图标", "剪贴板监视", "快捷键设置", "文件粉碎",
               "系统信息查看", "服务管理", "桌面整理", "任务计划"],
    "eimage": ["图片批量压缩", "截图", "图片水印", "缩略图生成", "电子相册", "屏幕取色器",
               "图标提取", "图片格式转换", "简单画板", "图像灰度处理", "照片拼接"],
    "emedia": ["音乐播放器", "视频播放器", "录音机", "歌词显示", "音量控制", "屏幕录像",
               "音频格式转换", "电台收听", "铃声剪辑", "播放列表管理"],
    "egame": ["五子棋小游戏", "贪吃蛇", "扫雷", "象棋", "拼图小游戏", "打飞机小游戏", "连连看",
              "记忆翻牌", "猜数字", "推箱子", "坦克对战", "弹球"],
    "edata": ["通讯录数据库", "学生成绩管理", "图书借阅管理", "个人记账本", "数据库备份",
              "数据表导出", "查询分析器", "客户资料管理", "日记本", "题库管理"],
    "ecom": ["超级列表框扩展", "按钮美化", "进度条", "文本编码转换", "加密解密", "网页访问",
             "正则表达式", "界面换肤", "树形框操作", "配置文件读写"],
    "etrade": ["进销存管理", "超市收银", "仓库管理", "会员积分", "工资管理", "客房管理",
               "药店管理", "物业收费", "快递单打印", "餐饮点菜"],
    # 雲 and 範 end in the GBK bytes 0x85 and 0xA0, which a latin-1 reading of a raw request
    # line takes for whitespace: searching for them checks that the request line survives.
    "enetwork": ["网页采集", "多线程下载器", "端口扫描", "局域网聊天", "邮件发送", "网速监控",
                 "远程协助", "网页自动填表", "天气查询", "IP地址查询", "文件传输",
                 "雲端同步"],
    "eintroduction": ["变量与常量", "第一个窗口程序", "按钮与事件", "条件判断", "循环语句",
                      "子程序调用", "文本操作入门", "信息框使用"],
    "ebasic": ["数组操作", "文件读写", "列表框使用", "时钟组件", "字符串处理", "菜单制作",
               "对话框", "计算器制作"],
    "eintermediate": ["多线程编程", "内存读写", "窗口句柄操作", "数据类型转换", "注册表操作",
                      "动态链接库调用", "网络通信", "自绘界面"],
    "eadvanced": ["汇编嵌入", "钩子技术", "进程注入原理", "驱动通信", "内存补丁", "脚本引擎",
                  "协程调度", "虚拟机保护"],
}

PREFIXES = ["", "", "", "简易", "多功能", "迷你", "高效", "绿色", "全新", "小巧", "实用", "超级"]
SOURCE_KINDS = ["源码", "工具", "助手", "例程", "模块", "程序", "演示", "源代码", "小程序"]
STUDY_KINDS = ["教程", "视频教程", "图文教程", "例程", "讲解", "课件"]
EXTRAS = ["", "", "", "", "v1.0", "v2.3", "（附教程）", "【修正版】", "（带注释）", "（开源）", "第二版",
          "【範例】"]


def _make_key(folder: str, ident: str) -> str:
    """Url-safe base64 of the item's address without padding. Readers cut the key at the first
    "3D", and the base64 of digits, "-" and "/" never holds one."""
    return base64.urlsafe_b64encode(f"{folder}/{ident}".encode("ascii")).decode("ascii").rstrip("=")


def _title(rng: random.Random, category: Category) -> str:
    kinds = STUDY_KINDS if category.section == "wode_study" else SOURCE_KINDS
    subject = rng.choice(SUBJECTS[category.segment])
    return rng.choice(PREFIXES) + subject + rng.choice(kinds) + rng.choice(EXTRAS)


def _item_count(rng: random.Random, category: Category) -> int:
    last_page = rng.randint(1, category.per_page)
    return (category.pages - 1) * category.per_page + last_page


@dataclass
class Catalogue:
    categories: list[Category]
    listings: dict[str, list[Item]] = field(default_factory=dict)
    by_address: dict[tuple[str, str], Item] = field(default_factory=dict)
    by_key: dict[str, Item] = field(default_factory=dict)
    newest_first: list[Item] = field(default_factory=list)
    popular: list[Item] = field(default_factory=list)

    @classmethod
    def build(cls, seed: int = DEFAULT_SEED) -> "Catalogue":
        rng = random.Random(seed)
        catalogue = cls([Category(*row) for row in CATEGORY_TABLE])
        next_ident = 100000
        for category in catalogue.categories:
            count = _item_count(rng, category)
            offsets = sorted(rng.randint(0, 2500) for _ in range(count))
            items = []
            for offset in offsets:
                next_ident += rng.randint(1, 7)
                day = FIRST_DAY + datetime.timedelta(days=offset)
                folder = day.strftime("%Y-%m")
                ident = str(next_ident)
                item = Item(folder, ident, _title(rng, category), day.isoformat(), category,
                            rng.randint(12, 4096), rng.randint(0, 9000), _make_key(folder, ident))
                items.append(item)
                catalogue.by_address[(folder, ident)] = item
                catalogue.by_key[item.key] = item
            items.reverse()
            catalogue.listings[category.segment] = items
        everything = list(catalogue.by_address.values())
        catalogue.newest_first = sorted(everything, key=lambda i: (i.date, i.ident), reverse=True)
        catalogue.popular = sorted(everything, key=lambda i: (-i.downloads, i.ident))[:10]
        return catalogue

    def category(self, section: str, segment: str) -> Category | None:
        for category in self.categories:
            if category.section == section and category.segment == segment:
                return category
        return None

    def listing_page(self, category: Category, page: int) -> list[Item]:
        start = (page - 1) * category.per_page
        return self.listings[category.segment][start:start + category.per_page]

    def total(self, category: Category) -> int:
        return len(self.listings[category.segment])

    def search(self, keyword: str) -> list[Item]:
        """Items whose title contains the keyword, newest first; an empty keyword finds nothing."""
        if not keyword:
            return []
        return [item for item in self.newest_first if keyword in item.title]


def page_count(total: int, per_page: int) -> int:
    return (total + per_page - 1) // per_page
