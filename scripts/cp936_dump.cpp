// Code page 936 as Windows (here Wine) converts it, dumped for scripts/cp936_exceptions.py and
// tests/web/page_test.py: every byte from 0x80 alone ("S 80 20AC"), every lead byte with every next
// byte ("D 8140 4E02"), and every UTF-16 unit converted as the window converts typed text, with
// best-fit look-alikes off and "-" where the code page has no form ("E 4E02 81 40").
#include <windows.h>

#include <cstdio>

namespace {

void Decode(const char* kind, const unsigned char* bytes, int length) {
    WCHAR units[4];
    const int count =
        MultiByteToWideChar(936, 0, reinterpret_cast<const char*>(bytes), length, units, 4);
    std::printf("%s ", kind);
    for (int i = 0; i < length; ++i) std::printf("%02X", bytes[i]);
    for (int i = 0; i < count; ++i) std::printf(" %04X", units[i]);
    std::printf("\n");
}

}  // namespace

int main() {
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
        const unsigned char bytes[] = {static_cast<unsigned char>(byte)};
        Decode("S", bytes, 1);
    }
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned next = 0; next <= 0xFF; ++next) {
            const unsigned char bytes[] = {static_cast<unsigned char>(lead),
                                           static_cast<unsigned char>(next)};
            Decode("D", bytes, 2);
        }
    }
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        const WCHAR text[] = {static_cast<WCHAR>(unit)};
        char bytes[8];
        BOOL usedDefault = FALSE;
        const int count = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, text, 1, bytes,
                                              sizeof bytes, nullptr, &usedDefault);
        std::printf("E %04X", unit);
        if (usedDefault || count <= 0) std::printf(" -");
        for (int i = 0; !usedDefault && i < count; ++i) {
            std::printf(" %02X", static_cast<unsigned char>(bytes[i]));
        }
        std::printf("\n");
    }
    return 0;
}
