// The single place where a control number meets its command.
#include "ui/dispatch_table.h"

#include <string>

#include "core/link_list.h"
#include "core/text_encoding.h"
#include "encoding/wide.h"
#include "ui/control_layer.h"
#include "ui/control_numbers.h"
#include "ui/tool_commands.h"

namespace tarvik {
namespace {

using Command = void (*)();

// A conversion reads the whole input box afresh and replaces the whole output box, unless the
// input was empty. The input goes in as GBK, or as UTF-8 where it has no GBK form. The result is
// shown line by line, each line in the encoding it is in: only a decoded text can have chosen
// UTF-8, and the addresses of a list may differ; a link, a Base64 text and the error are GBK
// (ASCII, or not valid UTF-8).
void ShowConversion(LinkCommand command) {
    std::string output;
    if (RunLinkListCommand(command, TypedTextFromWide(GetControlText(InputBox)), output) ==
        CommandOutcome::NoChange) {
        return;
    }
    SetControlText(OutputBox, WideFromLines(output, IsUtf8Text));
}

template <LinkCommand command>
void Convert() {
    ShowConversion(command);
}

struct DispatchEntry {
    ControlNumber number;
    Command command;  // nullptr: the control's events run nothing
};

constexpr DispatchEntry DispatchTable[] = {
    {InputLabel, nullptr},
    {Base64EncodeButton, Convert<LinkCommand::Base64Encode>},
    {Base64DecodeButton, Convert<LinkCommand::Base64Decode>},
    {OutputLabel, nullptr},
    {ThunderButton, Convert<LinkCommand::Thunder>},
    {RayFileButton, Convert<LinkCommand::RayFile>},
    {CopyButton, CopyCommand},
    {PasteButton, PasteCommand},
    {OnlineButton, OnlineCommand},
    {InputBox, nullptr},
    {OutputBox, nullptr},
    {FlashGetButton, Convert<LinkCommand::FlashGet>},
    {XuanfengButton, Convert<LinkCommand::Xuanfeng>},
};

static_assert(OneEntryPerControl(DispatchTable), "the table is looked up by control number");

}  // namespace

void RunControlCommand(ControlNumber control) {
    if (control < 0 || control >= ControlCount) return;
    if (Command command = DispatchTable[control].command) command();
}

}  // namespace tarvik
