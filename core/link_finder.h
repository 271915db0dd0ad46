// Special links inside any text, such as a web page: where they are, and the addresses they hide.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "core/link_commands.h"

namespace tarvik {

// A special link's place in a text: the bytes [begin, end).
struct LinkSpan {
    std::size_t begin = 0, end = 0;
};

// A character of a link's run: A-Z a-z 0-9 + / =.
bool IsLinkCharacter(char c);

// The first special link in `text`: "thunder://", "flashget://", "qqdl://" or "fs2you://" in any
// letter case, anywhere, with the longest run of the characters A-Z a-z 0-9 + / = after it.
// A scheme with no such character after it is no link and is passed over. None when there is none.
// A run may end in the next link's scheme ("qqdl://YQthunder://..."), so a search for the next
// link goes on from the byte after `begin`.
std::optional<LinkSpan> FindSpecialLink(std::string_view text);

// The "each distinct address once" rule: true the first time an address is offered.
class DistinctAddresses {
  public:
    bool FirstTime(std::string_view address);

  private:
    std::unordered_set<std::string> seen_;
};

// Every special link of a text decoded as LinkCommand::Decode reads one, each distinct address
// once, in the order first found, one a line joined by CR LF; a link that hides no address gives
// LinkFormatErrorText on its line. NoChange when the text holds no link, NewText otherwise.
CommandOutcome ExtractLinkAddresses(std::string_view text, std::string& output);

}  // namespace tarvik
