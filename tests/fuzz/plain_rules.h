// A second, deliberately plain implementation of the text operations, the Base64 codec and the six
// conversion commands, written from their rules step by step with no thought for speed and no
// code shared with core/. The fuzz targets hold the real code against it: where the two disagree,
// one of them misreads the rules.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plain {

using Bytes = std::vector<unsigned char>;

// A byte string ends at its first NUL; the bytes after it are not part of the text.
std::string TextOf(const std::string& bytes);

std::string TrimSpaces(const std::string& text);
std::string FieldAt(const std::string& text, int32_t index, const std::string& delimiter);
std::string LowerCase(const std::string& text);  // ASCII capitals only, as off Windows
std::string Substring(const std::string& text, int32_t position, int32_t length);
std::string SubstringFrom(const std::string& text, int32_t position);
int32_t ByteLength(const std::string& text);
std::string Spaces(int32_t count);
bool TextEquals(const std::string& a, const std::string& b);
std::string Concat(const std::string& a, const std::string& b);

// The buffer routines: the characters or bytes written (before the NUL) and the count returned.
struct BufferResult {
    Bytes written;
    int32_t count;
};
BufferResult EncodeBuffer(const Bytes& input, int32_t inputLength);
BufferResult DecodeBuffer(const Bytes& input, int32_t inputLength);

// The text procedures, with the whole result kept however long it is.
std::string EncodeText(const std::string& text);
std::string DecodeText(const std::string& text);

enum class Command { Thunder, FlashGet, Xuanfeng, RayFile, Base64Encode, Base64Decode };

// What a press does to the output box.
struct Outcome {
    bool changes;        // false: the output box keeps its text
    std::string output;  // the new text of the output box
};
Outcome Run(Command command, const std::string& inputBoxText);

// The error text of a conversion, in GBK.
extern const std::string FormatErrorText;

}  // namespace plain
