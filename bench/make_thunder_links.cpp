// Writes COUNT realistic Thunder links for the batch benchmark, the same every run: download
// addresses of 40 to 200 bytes, about a quarter of them with Chinese (GBK) folder and file names,
// each made into a link exactly as the tool makes one. Three files, one entry a line:
//   links.txt      the thunder:// links, what a user feeds to tarvik-link
//   payloads.txt   the Base64 part of each link, for base64 -d
//   addresses.txt  the addresses, what reading the links must give back
#include <cstdio>
#include <cstdlib>
#include <random>
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
constexpr std::string_view ChineseFolders[] = {"电影", "软件", "音乐", "下载", "高清电影"};
constexpr std::string_view Names[] = {"setup", "movie", "episode", "album", "patch", "live"};
constexpr std::string_view ChineseNames[] = {"高清", "第一集", "演唱会", "游戏", "中文版"};
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

    AddressMaker maker(20261206);
    std::string link;
    constexpr std::size_t SchemeLength = std::string_view("thunder://").size();
    for (unsigned long i = 0; i < count; ++i) {
        const std::string address = maker.Next();
        tarvik::RunLinkCommand(tarvik::LinkCommand::Thunder, address, link);
        WriteLine(links, link);
        WriteLine(payloads, std::string_view(link).substr(SchemeLength));
        WriteLine(addresses, address);
    }
    if (!Close(links) || !Close(payloads) || !Close(addresses)) {
        std::perror("make_thunder_links: writing");
        return 1;
    }
    return 0;
}
