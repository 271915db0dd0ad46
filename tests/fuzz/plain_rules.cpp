#include "plain_rules.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace plain {

std::string TextOf(const std::string& bytes) {
    std::string text;
    for (char byte : bytes) {
        if (byte == '\0') break;
        text += byte;
    }
    return text;
}

// Text operations: positions from 1, lengths in bytes, worked out in 64 bits so that no 32-bit
// argument can overflow here.

std::string TrimSpaces(const std::string& text) {
    std::size_t first = 0;
    while (first < text.size() && text[first] == ' ') ++first;
    if (first == text.size()) return "";
    std::size_t last = text.size() - 1;
    while (text[last] == ' ') --last;
    return text.substr(first, last - first + 1);
}

std::string FieldAt(const std::string& text, int32_t index, const std::string& delimiter) {
    if (index < 1) return "";
    // An empty delimiter text has only its NUL, which no text holds.
    const bool hasDelimiter = !delimiter.empty();
    const char separator = hasDelimiter ? delimiter[0] : '\0';
    int64_t field = 1;
    std::string current;
    for (char byte : text) {
        if (hasDelimiter && byte == separator) {
            if (field == index) return current;
            ++field;
            current.clear();
        } else {
            current += byte;
        }
    }
    return field == index ? current : "";
}

std::string LowerCase(const std::string& text) {
    std::string result = text;
    for (char& byte : result) {
        if (byte >= 'A' && byte <= 'Z') byte = static_cast<char>(byte + ('a' - 'A'));
    }
    return result;
}

std::string Substring(const std::string& text, int32_t position, int32_t length) {
    const int64_t size = static_cast<int64_t>(text.size());
    const int64_t first = position < 1 ? 1 : position;
    const int64_t last = std::min<int64_t>(first + (length < 0 ? 0 : length) - 1, size);
    std::string result;
    for (int64_t at = first; at <= last; ++at) result += text[static_cast<std::size_t>(at - 1)];
    return result;
}

std::string SubstringFrom(const std::string& text, int32_t position) {
    const int64_t length = static_cast<int64_t>(text.size()) - position + 1;
    if (length <= 0) return "";
    return Substring(text, position, length > INT32_MAX ? INT32_MAX : static_cast<int32_t>(length));
}

int32_t ByteLength(const std::string& text) {
    return static_cast<int32_t>(text.size());
}

std::string Spaces(int32_t count) {
    std::string result;
    for (int32_t i = 0; i < count; ++i) result += ' ';
    return result;
}

bool TextEquals(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

std::string Concat(const std::string& a, const std::string& b) {
    std::string result = a;
    for (char byte : b) result += byte;
    return result;
}

// Base64.

const char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

unsigned char ValueOf(unsigned char character) {
    for (unsigned char value = 0; value < 64; ++value) {
        if (static_cast<unsigned char>(Alphabet[value]) == character) return value;
    }
    return 0;  // the pad, spaces, line breaks and every byte from 0x80 count as 0
}

BufferResult EncodeBuffer(const Bytes& input, int32_t inputLength) {
    BufferResult result{{}, 0};
    if (inputLength <= 0) return result;
    auto put = [&result](unsigned value) { result.written.push_back(Alphabet[value]); };
    int64_t at = 0;
    while (at < inputLength) {
        const int64_t remaining = inputLength - at;
        const unsigned b0 = input[at];
        if (remaining >= 3) {
            const unsigned number = b0 * 65536 + input[at + 1] * 256u + input[at + 2];
            put(number >> 18);
            put((number >> 12) % 64);
            put((number >> 6) % 64);
            put(number % 64);
            at += 3;
        } else if (remaining == 2) {
            const unsigned b1 = input[at + 1];
            put(b0 >> 2);
            put(((b0 & 3) << 4) | (b1 >> 4));
            put((b1 & 15) << 2);
            result.written.push_back('=');
            at += 2;
        } else {
            put(b0 >> 2);
            put((b0 & 3) << 4);
            result.written.push_back('=');
            result.written.push_back('=');
            at += 1;
        }
    }
    result.count = static_cast<int32_t>(result.written.size());
    return result;
}

BufferResult DecodeBuffer(const Bytes& input, int32_t inputLength) {
    BufferResult result{{}, 0};
    if (inputLength <= 0) return result;
    int64_t remaining = inputLength;
    std::size_t at = 0;
    while (remaining > 0) {
        if (remaining < 4) {
            result.count = 0;
            return result;
        }
        const unsigned char c0 = input[at], c1 = input[at + 1], c2 = input[at + 2],
                            c3 = input[at + 3];
        const unsigned s0 = ValueOf(c0), s1 = ValueOf(c1), s2 = ValueOf(c2), s3 = ValueOf(c3);
        std::size_t used = 4;
        result.written.push_back(static_cast<unsigned char>(((s0 << 2) | (s1 >> 4)) & 255));
        result.count += 1;
        if (c2 == '=') {
            used = 2;
        } else {
            result.written.push_back(
                static_cast<unsigned char>((((s1 & 15) << 4) | (s2 >> 2)) & 255));
            result.count += 1;
            if (c3 == '=') {
                used = 3;
            } else {
                result.written.push_back(static_cast<unsigned char>((((s2 & 3) << 6) | s3) & 255));
                result.count += 1;
            }
        }
        at += used;
        remaining -= 4;
    }
    return result;
}

std::string EncodeText(const std::string& text) {
    const std::string copy = TextOf(text);
    const BufferResult result = EncodeBuffer(Bytes(copy.begin(), copy.end()), ByteLength(copy));
    return TextOf(std::string(result.written.begin(), result.written.end()));
}

std::string DecodeText(const std::string& text) {
    const std::string copy = TextOf(text);
    const BufferResult result = DecodeBuffer(Bytes(copy.begin(), copy.end()), ByteLength(copy));
    return TextOf(std::string(result.written.begin(), result.written.end()));
}

// The commands.

const std::string FormatErrorText =
    "\xCD\xF8\xD6\xB7\xB8\xF1\xCA\xBD\xB4\xED\xCE\xF3\xA3\xAC\xC7\xEB"
    "\xCA\xE4\xC8\xEB\xD5\xFD\xC8\xB7\xB5\xC4\xCD\xF8\xD6\xB7\xA3\xA1";

bool IsPlainAddress(const std::string& scheme) {
    const std::array<std::string, 5> schemes{"http:", "ftp:", "mms:", "rtsp:", "https:"};
    for (const std::string& plainScheme : schemes) {
        if (TextEquals(scheme, plainScheme)) return true;
    }
    return false;
}

// Reads or makes one manager's link: its scheme, the bytes before its Base64 part, the prefix of
// a made link and the markers (dropped by count, never checked).
Outcome TwoWay(const std::string& link, const std::string& scheme, const std::string& own,
               int32_t dropped, const std::string& prefix, const std::string& marker) {
    if (TextEquals(scheme, own)) {
        const std::string decoded = DecodeText(SubstringFrom(link, dropped + 1));
        const int32_t markerLength = ByteLength(marker);
        return {true, Substring(decoded, markerLength + 1, ByteLength(decoded) - 2 * markerLength)};
    }
    if (IsPlainAddress(scheme)) {
        return {true, Concat(prefix, EncodeText(Concat(Concat(marker, link), marker)))};
    }
    return {true, FormatErrorText};
}

Outcome Run(Command command, const std::string& inputBoxText) {
    const std::string link = TrimSpaces(TextOf(inputBoxText));
    if (TextEquals(link, "")) return {false, ""};
    const std::string scheme = LowerCase(FieldAt(link, 1, "/"));
    switch (command) {
        case Command::Thunder: {
            // Thunder's markers differ at the two ends: "AA" before, "ZZ" after.
            if (TextEquals(scheme, "thunder:")) {
                const std::string decoded = DecodeText(SubstringFrom(link, 11));
                return {true, Substring(decoded, 3, ByteLength(decoded) - 4)};
            }
            if (IsPlainAddress(scheme)) {
                return {true, Concat("thunder://", EncodeText(Concat(Concat("AA", link), "ZZ")))};
            }
            return {true, FormatErrorText};
        }
        case Command::FlashGet:
            return TwoWay(link, scheme, "flashget:", 11, "Flashget://", "[FLASHGET]");
        case Command::Xuanfeng:
            return TwoWay(link, scheme, "qqdl:", 7, "qqdl://", "");
        case Command::RayFile:
            if (!TextEquals(scheme, "fs2you:")) return {true, FormatErrorText};
            return {true, FieldAt(DecodeText(SubstringFrom(link, 10)), 1, "|")};
        case Command::Base64Encode:
            return {true, EncodeText(link)};
        case Command::Base64Decode:
            return {true, DecodeText(link)};
    }
    return {false, ""};
}

}  // namespace plain
