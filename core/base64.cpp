#include "core/base64.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include "core/base64_joined.h"
#include "core/text_views.h"

namespace tarvik {
namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char Pad = '=';

constexpr std::array<unsigned char, 256> MakeDecodeTable() {
    std::array<unsigned char, 256> table{};
    for (unsigned char value = 0; value < 64; ++value) {
        table[static_cast<unsigned char>(Alphabet[value])] = value;
    }
    return table;
}

// The largest input whose encoding, 4 × ⌈n / 3⌉ characters, still has a 32-bit count.
constexpr int32_t LargestEncodeBufferInput = std::numeric_limits<int32_t>::max() / 4 * 3;

char* EncodeWholeGroups(const unsigned char* input, std::size_t length, char* output) {
    for (const unsigned char* end = input + length; input != end; input += 3) {
        const unsigned group = input[0] << 16 | input[1] << 8 | input[2];
        *output++ = Alphabet[group >> 18];
        *output++ = Alphabet[group >> 12 & 63];
        *output++ = Alphabet[group >> 6 & 63];
        *output++ = Alphabet[group & 63];
    }
    return output;
}

// The last one or two bytes, padded; nothing for none.
char* EncodeTail(const unsigned char* input, std::size_t length, char* output) {
    if (length == 0) return output;
    const unsigned b0 = input[0];
    const unsigned b1 = length == 2 ? input[1] : 0;
    *output++ = Alphabet[b0 >> 2];
    *output++ = Alphabet[(b0 & 3) << 4 | b1 >> 4];
    *output++ = length == 2 ? Alphabet[(b1 & 15) << 2] : Pad;
    *output++ = Pad;
    return output;
}

char* Encode(const unsigned char* input, std::size_t length, char* output) {
    const std::size_t whole = length - length % 3;
    return EncodeTail(input + whole, length - whole, EncodeWholeGroups(input, whole, output));
}

#if defined(__x86_64__) && defined(__GNUC__)
#define TARVIK_BASE64_AVX2 1

constexpr signed char LowNibbleBits[16] = {0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11,
                                           0x11, 0x11, 0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A};
constexpr signed char HighNibbleBits[16] = {0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08,
                                            0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10};
constexpr signed char HighNibbleShift[16] = {
    0, 0, 62 - '+', 52 - '0', -'A', -'A', 26 - 'a', 26 - 'a', 0, 0, 0, 0, 0, 0, 0, 0};

// A table of 16 bytes in both halves of a register, for looking up nibbles.
__attribute__((target("avx2"))) inline __m256i NibbleTable(const signed char (&table)[16]) {
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table)));
}

// Decodes one block of 32 characters, eight groups, into 24 bytes (in lanes 0 to 23 of `bytes`),
// each group as the group-by-group loop would decode it when it holds no pad: a character outside
// the alphabet counts as 0. Returns a mask of the block's pads.
__attribute__((target("avx2"))) inline unsigned DecodeBlock(const unsigned char* input,
                                                            __m256i& bytes) {
    const __m256i text = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(input));

    // A character is in the alphabet when the bits that its low nibble and its high nibble
    // select have nothing in common; within the alphabet its high nibble (and a "/" test)
    // gives what to add to reach its value. Bytes from 0x80 have high nibbles 8 to 15.
    const __m256i low = _mm256_and_si256(text, _mm256_set1_epi8(0x0F));
    const __m256i high = _mm256_and_si256(_mm256_srli_epi32(text, 4), _mm256_set1_epi8(0x0F));
    const __m256i clash = _mm256_and_si256(_mm256_shuffle_epi8(NibbleTable(LowNibbleBits), low),
                                           _mm256_shuffle_epi8(NibbleTable(HighNibbleBits), high));
    const __m256i known = _mm256_cmpeq_epi8(clash, _mm256_setzero_si256());
    const __m256i slash = _mm256_cmpeq_epi8(text, _mm256_set1_epi8('/'));
    const __m256i shift =
        _mm256_add_epi8(_mm256_shuffle_epi8(NibbleTable(HighNibbleShift), high),
                        _mm256_and_si256(slash, _mm256_set1_epi8((63 - '/') - (62 - '+'))));
    const __m256i values = _mm256_and_si256(_mm256_add_epi8(text, shift), known);

    // Four 6-bit values become one 24-bit number per group, then three bytes, highest first.
    const __m256i pairs = _mm256_maddubs_epi16(values, _mm256_set1_epi32(0x01400140));
    const __m256i numbers = _mm256_madd_epi16(pairs, _mm256_set1_epi32(0x00011000));
    const __m256i lanes = _mm256_shuffle_epi8(
        numbers, _mm256_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1, 2, 1, 0,
                                  6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1));
    bytes = _mm256_permutevar8x32_epi32(lanes, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7));
    return static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_cmpeq_epi8(text, _mm256_set1_epi8(Pad))));
}

// Decodes the groups before the first pad eight at a time, at least eight groups being given;
// returns their number. Before the first pad group i starts at character 4i and gives bytes 3i
// to 3i + 2, so a block may be decoded again in part (the last one overlaps its predecessor,
// since a block may not read past the text) and a block with a pad keeps only its groups before
// it, writing no byte past them. What follows the first pad is left to the group-by-group loop.
// `zeros` gains a bit for each zero byte written.
__attribute__((target("avx2"))) std::size_t DecodeBlocks(const unsigned char* input,
                                                         std::size_t groups, unsigned char* output,
                                                         unsigned& zeros) {
    std::size_t done = 0;
    while (done < groups) {
        const std::size_t first = std::min(done, groups - 8);
        __m256i bytes;
        const unsigned pads = DecodeBlock(input + 4 * first, bytes);
        const auto zeroLanes = static_cast<unsigned>(
            _mm256_movemask_epi8(_mm256_cmpeq_epi8(bytes, _mm256_setzero_si256())));
        if (pads != 0) {
            const std::size_t whole = static_cast<std::size_t>(std::countr_zero(pads)) / 4;
            alignas(32) unsigned char block[32];
            _mm256_store_si256(reinterpret_cast<__m256i*>(block), bytes);
            std::memcpy(output + 3 * first, block, 3 * whole);
            zeros |= zeroLanes & ((1u << 3 * whole) - 1);
            return std::max(done, first + whole);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(output + 3 * first),
                         _mm256_castsi256_si128(bytes));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(output + 3 * first + 16),
                         _mm256_extracti128_si256(bytes, 1));
        zeros |= zeroLanes & 0xFFFFFF;
        done = first + 8;
    }
    return done;
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

struct DecodedBytes {
    std::size_t count;
    bool holdZero;  // a text made of them would end early
};

// Decodes `groups` groups. A pad ends its group early and the next group is read from that pad
// on, so the groups may use fewer than 4 × groups characters; they never read past them. Whether
// a byte is zero is noted on the way, where the bytes pass through registers anyway, rather than
// by searching them again afterwards.
DecodedBytes DecodeGroups(const char* text, std::size_t groups, unsigned char* output) {
    const auto* input = reinterpret_cast<const unsigned char*>(text);
    unsigned char* const start = output;
    bool zero = false;
#ifdef TARVIK_BASE64_AVX2
    if (groups >= 8 && HasAvx2()) {
        unsigned zeros = 0;
        const std::size_t done = DecodeBlocks(input, groups, output, zeros);
        zero = zeros != 0;
        input += 4 * done;
        output += 3 * done;
        groups -= done;
    }
#endif
    for (; groups != 0; --groups) {
        const unsigned s0 = Base64DecodeTable[input[0]];
        const unsigned s1 = Base64DecodeTable[input[1]];
        const unsigned s2 = Base64DecodeTable[input[2]];
        const unsigned s3 = Base64DecodeTable[input[3]];
        const auto b0 = static_cast<unsigned char>(s0 << 2 | s1 >> 4);
        const auto b1 = static_cast<unsigned char>((s1 & 15) << 4 | s2 >> 2);
        const auto b2 = static_cast<unsigned char>((s2 & 3) << 6 | s3);
        *output++ = b0;
        zero |= b0 == 0;
        if (input[2] == Pad) {
            input += 2;
            continue;
        }
        *output++ = b1;
        zero |= b1 == 0;
        if (input[3] == Pad) {
            input += 3;
            continue;
        }
        *output++ = b2;
        zero |= b2 == 0;
        input += 4;
    }
    return {static_cast<std::size_t>(output - start), zero};
}

// Copies `text` when it lies inside `output`'s buffer, which appending may move or overwrite.
std::string_view Detached(std::string_view text, const std::string& output, std::string& copy) {
    if (!view::LiesWithin(text, output)) return text;
    copy.assign(text);
    return copy;
}

}  // namespace

// Built by the compiler rather than filled on the first decode: it holds the same values from the
// start, and there is no fill-once flag for two threads to race on.
extern constexpr std::array<unsigned char, 256> Base64DecodeTable = MakeDecodeTable();

int32_t Base64EncodeBuffer(const unsigned char* input, int32_t inputLength, char* output,
                           int32_t /*outputCapacity*/) {
    // An encoding of more than 2^31 − 1 characters has no count to return: the routine refuses
    // such an input as it does an empty one. The text procedures do not go through here.
    if (inputLength <= 0 || inputLength > LargestEncodeBufferInput) {
        *output = '\0';
        return 0;
    }
    char* const end = Encode(input, static_cast<std::size_t>(inputLength), output);
    *end = '\0';
    return static_cast<int32_t>(end - output);
}

int32_t Base64DecodeBuffer(const char* input, int32_t inputLength, unsigned char* output,
                           int32_t /*outputCapacity*/) {
    if (inputLength <= 0) {
        *output = '\0';
        return 0;
    }
    const std::size_t written =
        DecodeGroups(input, static_cast<std::size_t>(inputLength) / 4, output).count;
    output[written] = '\0';
    return inputLength % 4 == 0 ? static_cast<int32_t>(written) : 0;
}

void AppendBase64EncodeJoined(std::initializer_list<std::string_view> pieces, std::string& output) {
    std::size_t total = 0;
    for (const auto piece : pieces) total += piece.size();
    const std::size_t start = output.size();
    output.resize(start + Base64EncodedLength(total));
    char* out = output.data() + start;

    // A group of three bytes may straddle two pieces (or more, when pieces are short).
    unsigned char carry[3];
    std::size_t carried = 0;
    for (const auto piece : pieces) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(piece.data());
        std::size_t length = piece.size();
        while (carried != 0 && carried < 3 && length != 0) {
            carry[carried++] = *bytes++;
            --length;
        }
        if (carried == 3) {
            out = EncodeWholeGroups(carry, 3, out);
            carried = 0;
        }
        if (carried != 0) continue;
        const std::size_t whole = length - length % 3;
        out = EncodeWholeGroups(bytes, whole, out);
        for (std::size_t i = whole; i < length; ++i) carry[carried++] = bytes[i];
    }
    EncodeTail(carry, carried, out);
}

void AppendBase64EncodeText(std::string_view text, std::string& output) {
    std::string copy;
    AppendBase64EncodeJoined({Detached(view::TextOf(text), output, copy)}, output);
}

void AppendBase64DecodeText(std::string_view text, std::string& output) {
    std::string copy;
    AppendBase64DecodeOfText(Detached(view::TextOf(text), output, copy), output);
}

void AppendBase64DecodeOfText(std::string_view text, std::string& output) {
    const std::size_t start = output.size();
    output.resize(start + Base64DecodedCapacity(text.size()));
    auto* decoded = reinterpret_cast<unsigned char*>(output.data() + start);
    const DecodedBytes bytes = DecodeGroups(text.data(), text.size() / 4, decoded);
    // The decoded bytes are read back as a text, which ends at the first zero byte.
    const std::string_view written(output.data() + start, bytes.count);
    output.resize(start + (bytes.holdZero ? view::TextOf(written).size() : bytes.count));
}

std::string Base64EncodeText(std::string_view text) {
    std::string result;
    AppendBase64EncodeText(text, result);
    return result;
}

std::string Base64DecodeText(std::string_view text) {
    std::string result;
    AppendBase64DecodeText(text, result);
    return result;
}

}  // namespace tarvik
