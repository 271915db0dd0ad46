// The link buttons on an input box that holds a list of links, one a line, as users copy them
// from a page.
#pragma once

#include <string>
#include <string_view>

#include "core/link_commands.h"

namespace tarvik {

// Runs a command as its button does. A link command given two or more lines that are not empty
// (lines end at LF or CR LF) converts each line, spaces trimmed, on its own, and the output holds
// one result a line, joined by CR LF, in order: an empty line gives an empty line and a line in
// error gives LinkFormatErrorText, so that every result stays beside its link. Any other input,
// and the Base64 commands, go whole to RunLinkCommand.
//
// The lines of one output may differ in encoding (one address hides UTF-8, the next GBK), so a
// window shows it line by line, each line as IsUtf8Text finds it.
CommandOutcome RunLinkListCommand(LinkCommand command, std::string_view inputBoxText,
                                  std::string& output);

}  // namespace tarvik
