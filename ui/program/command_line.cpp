#include "ui/program/command_line.h"

#include <iterator>
#include <vector>

#include "core/link_commands.h"
#include "core/text.h"
#include "encoding/wide.h"
#include "ui/control_layer.h"
#include "ui/control_numbers.h"
#include "ui/dispatch_table.h"

namespace tarvik {
namespace {

// The button of each special link, in the order of SpecialLinkSchemes.
constexpr ControlNumber ButtonOfScheme[] = {ThunderButton, FlashGetButton, XuanfengButton,
                                            RayFileButton};
static_assert(std::size(ButtonOfScheme) == std::size(SpecialLinkSchemes));

}  // namespace

ProgramArguments ReadProgramArguments() {
    const std::vector<std::wstring> arguments = CommandLineArguments();
    if (arguments.size() < 2) return {};
    const std::wstring_view first = arguments[1];
    if (arguments.size() == 2 && first == L"--register") return {ProgramArguments::Register, {}};
    if (arguments.size() == 2 && first == L"--unregister")
        return {ProgramArguments::Unregister, {}};
    std::wstring text(first);
    for (std::size_t i = 2; i < arguments.size(); ++i) text.append(L" ").append(arguments[i]);
    return {ProgramArguments::OpenWindow, std::wstring(TrimSpaces(text))};
}

void OpenWithText(std::wstring_view text) {
    if (text.empty()) return;
    SetControlText(InputBox, text);
    const std::string typed = TypedTextFromWide(text);
    if (const auto scheme = SpecialLinkSchemeOf(typed)) {
        RunControlCommand(ButtonOfScheme[*scheme]);
        FocusControl(OutputBox);
    }
}

}  // namespace tarvik
