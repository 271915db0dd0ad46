// Built from UTF-8 with -fexec-charset=GBK: the message texts are stored as GBK bytes.
#include "ui/tool_commands.h"

#include <string>

#include "core/text.h"
#include "platform/clipboard.h"
#include "platform/launcher.h"
#include "platform/message_box.h"
#include "ui/control_layer.h"
#include "ui/control_numbers.h"
#include "ui/window_layer.h"

namespace tarvik {

void CopyCommand() {
    // The box's text goes as the user sees it, whatever it was converted from.
    const std::wstring result = GetControlText(OutputBox);
    if (result.empty()) return;
    // Confirming a copy that the clipboard refused would let the user paste something else.
    if (WriteClipboardText(WindowHandle(MainWindow), result) != ClipboardWriteFailed) {
        ShowMessage("恭喜", "转换结果已经成功复制到剪切板中！");
    } else {
        ShowMessage("复制失败", "转换结果未能复制到剪切板，请稍后重试！");
    }
}

void PasteCommand() {
    const std::wstring text = ReadClipboardText();
    if (const std::wstring_view trimmed = TrimSpaces(text); !trimmed.empty()) {
        SetControlText(InputBox, trimmed);
    }
}

void OnlineCommand() {
    OpenInShell(OnlinePageAddress);
}

}  // namespace tarvik
