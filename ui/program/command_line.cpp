#include "ui/program/command_line.h"

#include <windows.h>

#include <shellapi.h>

#include <iterator>

#include "core/link_commands.h"
#include "core/text.h"
#include "platform/owned.h"
#include "platform/text_conversion.h"
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
    int count = 0;
    const OwnedLocal<LPWSTR> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!arguments || count < 2) return {};
    const std::wstring_view first = arguments.Get()[1];
    if (count == 2 && first == L"--register") return {ProgramArguments::Register, {}};
    if (count == 2 && first == L"--unregister") return {ProgramArguments::Unregister, {}};
    std::wstring text(first);
    for (int i = 2; i < count; ++i) text.append(L" ").append(arguments.Get()[i]);
    return {ProgramArguments::OpenWindow, std::wstring(TrimSpaces(text))};
}

void OpenWithText(std::wstring_view text) {
    if (text.empty()) return;
    SetControlText(InputBox, text);
    const std::string typed = TypedTextFromWide(text);
    for (std::size_t i = 0; i < std::size(SpecialLinkSchemes); ++i) {
        if (!EqualsLowerCase(FieldAt(typed, '/'), SpecialLinkSchemes[i])) continue;
        RunControlCommand(ButtonOfScheme[i]);
        FocusControl(OutputBox);
        return;
    }
}

}  // namespace tarvik
