// Writes COUNT realistic Thunder links for the batch benchmark, the same every run: download
// addresses of 40 to 200 bytes, about a quarter of them with Chinese (GBK) folder and file names,
// each made into a link exactly as the tool makes one. Three files, one entry a line:
//   links.txt      the thunder:// links, what a user feeds to tarvik-link
//   payloads.txt   the Base64 part of each link, for base64 -d
//   addresses.txt  the addresses, what reading the links must give back
// and, for extract, a web page of COUNT / 10 kilobytes with one link in each kilobyte (Thunder,
// FlashGet or Xuanfeng, among ordinary markup, GBK text and plain addresses):
//   page.html            the page
//   page-addresses.txt   each distinct address of its links, in order, one a line
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <span>
#include <string>
#include <string_view>

#include "core/link_commands.h"

namespace {

using Words = std::span<const std::string_view>;

constexpr std::string_view Schemes[] = {"http://", "http://",  "http://", "http://", "http://",
                                        "http://", "https://", "ftp://",  "mms://",  "rtsp://"};
constexpr std::string_view Hosts[] = {"dl1.example.cn",       "down.example.com",
                                      "files.example.net",    "ftp.example.org",
                                      "media.example.com.cn", "192.168.10.25:8080"};
constexpr std::string_view Folders[] = {"soft", "movie", "music", "download", "2009",
                                        "pub",  "video", "files", "upload",   "game"};
// 电影 软件 音乐 下载 高清电影 and 高清 第一集 演唱会 游戏 中文版, in GBK.
constexpr std::string_view ChineseFolders[] = {"\xB5\xE7\xD3\xB0", "\xC8\xED\xBC\xFE",
                                               "\xD2\xF4\xC0\xD6", "\xCF\xC2\xD4\xD8",
                                               "\xB8\xDF\xC7\xE5\xB5\xE7\xD3\xB0"};
constexpr std::string_view Names[] = {"setup", "movie", "episode", "album", "patch", "live"};
constexpr std::string_view ChineseNames[] = {"\xB8\xDF\xC7\xE5", "\xB5\xDA\xD2\xBB\xBC\xAF",
                                             "\xD1\xDD\xB3\xAA\xBB\xE1", "\xD3\xCE\xCF\xB7",
                                             "\xD6\xD0\xCE\xC4\xB0\xE6"};
constexpr std::string_view Extensions[] = {".zip", ".rar", ".rmvb", ".mp3", ".exe",
                                           ".avi", ".mkv", ".iso",  ".7z"};

class AddressMaker {
  public:
    explicit AddressMaker(unsigned long long seed) : random_(seed) {}

    // A scheme, a host, one to four folders and a file name of words and digits; addresses that
    // are still short get a query of hexadecimal digits, as download sites add for their tokens.
    std::string Next() {
        const std::size_t length = 40 + Below(161);
        const bool chinese = Below(4) == 0;
        std::string address = std::string(Pick(Schemes)) + std::string(Pick(Hosts)) + "/";
        const std::string_view extension = Pick(Extensions);
        const auto room = [&] { return length - address.size() - extension.size(); };
        for (std::size_t folders = 1 + Below(4); folders != 0; --folders) {
            const std::string_view folder =
                Pick(chinese && Below(2) ? Words(ChineseFolders) : Words(Folders));
            if (folder.size() + 2 <= room()) address.append(folder).append("/");
        }
        for (std::size_t words = 1 + Below(3); words != 0; --words) {
            const std::string_view name = Pick(chinese ? Words(ChineseNames) : Words(Names));
            if (name.size() + 1 <= room()) address.append(name).append("_");
        }
        if (room() < 12) {
            while (room() != 0) address.push_back(Digit(10));
            return address.append(extension);
        }
        for (int digits = 0; digits < 4; ++digits) address.push_back(Digit(10));
        address.append(extension).append("?key=");
        while (address.size() < length) address.push_back(Digit(16));
        return address;
    }

  private:
    std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(random_() % bound); }
    std::string_view Pick(Words words) { return words[Below(words.size())]; }
    char Digit(std::size_t base) { return "0123456789abcdef"[Below(base)]; }

    // The engine's numbers are fixed by the standard; a distribution's are not, hence Below().
    std::mt19937_64 random_;
};

std::FILE* Create(const std::string& directory, const char* name) {
    const std::string path = directory + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::perror(path.c_str());
        std::exit(1);
    }
    return file;
}

// About a kilobyte of a download page around one link.
void WritePageBlock(std::FILE* file, std::string_view link, unsigned long number) {
    std::fprintf(file,
                 "<tr class=\"row%lu\"><td style=\"color:#333;padding:4px\">\xCF\xC2\xD4\xD8"
                 " %lu</td><td><a href=\"%.*s\" title=\"\xB5\xE7\xD3\xB0\">\xB8\xDF\xC7\xE5"
                 "</a></td><td><a href=\"http://www.example.com/info/%lu.html\">info</a>",
                 number % 2, number, static_cast<int>(link.size()), link.data(), number);
    static const std::string filler = [] {
        std::string text;
        while (text.size() < 700) text += " <span>\xD6\xD0\xCE\xC4 text: ok</span>";
        return text;
    }();
    const std::size_t used = 200 + link.size();
    std::fwrite(filler.data(), 1, used < 1000 ? 1000 - used : 0, file);
    std::fputs("</td></tr>\n", file);
}

void WriteLine(std::FILE* file, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::fputc('\n', file);
}

bool Close(std::FILE* file) {
    return std::fflush(file) == 0 && !std::ferror(file) && std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: make_thunder_links COUNT DIRECTORY\n", stderr);
        return 2;
    }
    const unsigned long count = std::strtoul(argv[1], nullptr, 10);
    std::FILE* links = Create(argv[2], "links.txt");
    std::FILE* payloads = Create(argv[2], "payloads.txt");
    std::FILE* addresses = Create(argv[2], "addresses.txt");

    std::FILE* page = Create(argv[2], "page.html");
    std::FILE* pageAddresses = Create(argv[2], "page-addresses.txt");

    AddressMaker maker(20261206);
    std::string link;
    std::string pageLink;
    std::set<std::string> onPage;
    constexpr tarvik::LinkCommand PageKinds[] = {
        tarvik::LinkCommand::Thunder, tarvik::LinkCommand::FlashGet, tarvik::LinkCommand::Xuanfeng};
    constexpr std::size_t SchemeLength = std::string_view("thunder://").size();
    for (unsigned long i = 0; i < count; ++i) {
        const std::string address = maker.Next();
        tarvik::RunLinkCommand(tarvik::LinkCommand::Thunder, address, link);
        WriteLine(links, link);
        WriteLine(payloads, std::string_view(link).substr(SchemeLength));
        WriteLine(addresses, address);
        if (i % 10 == 0) {
            tarvik::RunLinkCommand(PageKinds[i / 10 % 3], address, pageLink);
            WritePageBlock(page, pageLink, i / 10);
            if (onPage.insert(address).second) WriteLine(pageAddresses, address);
        }
    }
    if (!Close(links) || !Close(payloads) || !Close(addresses) || !Close(page) ||
        !Close(pageAddresses)) {
        std::perror("make_thunder_links: writing");
        return 1;
    }
    return 0;
}
