// Built from UTF-8 with -fexec-charset=GBK: the message texts are stored as GBK bytes.
#include "ui/program/link_registration.h"

#include <string>

#include "core/link_commands.h"
#include "platform/message_box.h"
#include "platform/scheme_registry.h"
#include "encoding/wide.h"

namespace tarvik {

unsigned ChangeLinkRegistration(bool registering) {
    const std::wstring program = ThisProgramPath();
    std::string changed, absent, left, failed;
    const auto add = [](std::string& schemes, std::string_view scheme) {
        schemes.append(schemes.empty() ? "" : " ").append(scheme);
    };
    for (std::string_view scheme : SpecialLinkSchemes) {
        // The registry names a scheme without its colon.
        const std::wstring name = WideFromBytes(scheme.substr(0, scheme.size() - 1), GbkCodePage);
        const SchemeOpener opener = OpenerOfScheme(name, program, !registering);
        // Without its own path the tool can neither write its command nor recognise it.
        if (!program.empty() && opener == SchemeOpener::AnotherProgram) {
            add(left, scheme);
            continue;
        }
        if (!registering && opener == SchemeOpener::Nobody) {
            add(absent, scheme);
            continue;
        }
        const bool done = !program.empty() && (registering ? RegisterSchemeOpener(name, program)
                                                           : RemoveUserScheme(name));
        add(done ? changed : failed, scheme);
    }
    std::string message;
    if (!changed.empty())
        message += (registering ? "本工具现在打开这些链接：" : "本工具不再打开这些链接：") +
                   changed + "\n";
    if (registering && !changed.empty())
        message += "在浏览器中点击这些链接，本工具会显示其中的网址。\n";
    if (!absent.empty()) message += "本工具原本就不打开这些链接：" + absent + "\n";
    if (!left.empty()) message += "这些链接由其他程序打开，未作更改：" + left + "\n";
    if (!failed.empty())
        message += (registering ? "这些链接未能登记：" : "这些链接未能取消登记：") + failed + "\n";
    ShowMessage(registering ? "登记专用链" : "取消登记专用链", message);
    return failed.empty() ? 0 : 1;
}

}  // namespace tarvik
