// The functions the page calls: bytes in, a command of the core run, bytes out. The page writes a
// text into the input buffer, calls one function and reads the output buffer; nothing else
// crosses, so the module needs no imports.
#include <cstddef>
#include <string>

#include "core/link_commands.h"
#include "core/link_finder.h"
#include "core/link_list.h"
#include "core/text.h"
#include "core/text_encoding.h"

#define TARVIK_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

std::string input, output;

}  // namespace

TARVIK_EXPORT(input) char* Input(std::size_t length) {
    input.resize(length);
    return input.data();
}

TARVIK_EXPORT(output) const char* Output() {
    return output.data();
}

TARVIK_EXPORT(output_length) std::size_t OutputLength() {
    return output.size();
}

// A command as its button runs it, numbered as tarvik::LinkCommand; the outcome likewise.
TARVIK_EXPORT(run) int Run(int command) {
    return static_cast<int>(
        tarvik::RunLinkListCommand(static_cast<tarvik::LinkCommand>(command), input, output));
}

// "提取链接": every special link of a pasted page, each distinct address once.
TARVIK_EXPORT(extract) int Extract() {
    return static_cast<int>(tarvik::ExtractLinkAddresses(input, output));
}

// A link after "#" in the page's address: a special link of any kind is read as decode reads it;
// anything else is left for the input box alone (NoChange).
TARVIK_EXPORT(read_link) int ReadLink() {
    if (!tarvik::SpecialLinkSchemeOf(tarvik::TrimSpaces(input))) return 0;
    return static_cast<int>(tarvik::RunLinkCommand(tarvik::LinkCommand::Decode, input, output));
}

TARVIK_EXPORT(is_utf8) int IsUtf8(std::size_t length) {
    return tarvik::IsUtf8Text(std::string_view(input).substr(0, length));
}

// Where the input's trimmed text starts, and its length, as Paste trims the clipboard's text.
TARVIK_EXPORT(trimmed_start) std::size_t TrimmedStart() {
    return static_cast<std::size_t>(tarvik::TrimSpaces(input).data() - input.data());
}

TARVIK_EXPORT(trimmed_length) std::size_t TrimmedLength() {
    return tarvik::TrimSpaces(input).size();
}
