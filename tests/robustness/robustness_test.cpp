// Hostile input to the real tool under Wine: megabyte texts through every conversion and through
// Paste, ten thousand presses posted at once, clipboard data that other programs left behind or
// hold open, and bytes that are no GBK character. Each scenario starts a fresh tarvik.exe; after
// each the tool must still answer, and it must end with exit code 0 when its window is closed.
// The figures (times, memory) are printed as "figure:" lines for docs/ROBUSTNESS.md.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/base64.h"
#include "core/link_commands.h"
#include "tool_under_test.h"

namespace robustness {
namespace {

using tarvik::LinkCommand;

struct Conversion {
    const char* name;
    int button;
    LinkCommand command;
};

constexpr Conversion Conversions[] = {
    {"Thunder", ThunderButton, LinkCommand::Thunder},
    {"FlashGet", FlashGetButton, LinkCommand::FlashGet},
    {"Xuanfeng", XuanfengButton, LinkCommand::Xuanfeng},
    {"RayFile", RayFileButton, LinkCommand::RayFile},
    {"Base64Encode", Base64EncodeButton, LinkCommand::Base64Encode},
    {"Base64Decode", Base64DecodeButton, LinkCommand::Base64Decode},
};

// 10^6 bytes: Wine carries a text of a little more than a million characters to another
// process's window, and not much more.
constexpr std::size_t Megabyte = 1000000;

// No conversion yields this, so its disappearance from the output box shows a finished press.
const std::string Sentinel = "\x01 no result yet \x01";
constexpr DWORD PressTimeoutMs = 120000;
// Under Wine ten thousand presses take one to two minutes to drain, more on a loaded machine.
constexpr DWORD DrainTimeoutMs = 300000;

// A plain address of `size` bytes: ASCII, slashes and GBK characters ("中文"), in one line or,
// with `lineLength`, in lines ended by CR LF as a pasted list would be.
std::string LongAddress(std::size_t size, std::size_t lineLength = 0) {
    std::string address = "http://h/";
    const std::string piece =
        "abcdefghij/\xD6\xD0\xCE\xC4"
        "0123456789-";
    std::size_t lineStart = 0;
    while (address.size() + piece.size() + 2 <= size) {
        address += piece;
        if (lineLength != 0 && address.size() - lineStart >= lineLength) {
            address += "\r\n";
            lineStart = address.size();
        }
    }
    address.append(size - address.size(), 'z');
    return address;
}

// Base64 broken into lines of 76 characters, as mail programs send it; the tool reads it out of
// step from the first break on.
std::string BrokenIntoLines(const std::string& base64) {
    std::string broken;
    for (std::size_t at = 0; at < base64.size(); at += 76) {
        broken += base64.substr(at, 76) + "\r\n";
    }
    return broken;
}

// The link of a command's own kind around an address; for the Base64 buttons their own input.
std::string OwnLink(LinkCommand command, const std::string& address, bool brokenIntoLines = false) {
    const auto encoded = [brokenIntoLines](const std::string& text) {
        const std::string base64 = tarvik::Base64EncodeText(text);
        return brokenIntoLines ? BrokenIntoLines(base64) : base64;
    };
    switch (command) {
        case LinkCommand::Thunder:
            return "thunder://" + encoded("AA" + address + "ZZ");
        case LinkCommand::FlashGet:
            return "Flashget://" + encoded("[FLASHGET]" + address + "[FLASHGET]");
        case LinkCommand::Xuanfeng:
            return "qqdl://" + encoded(address);
        case LinkCommand::RayFile:
            return "fs2you://" + encoded(address + "|735");
        case LinkCommand::Base64Encode:
            return address;
        case LinkCommand::Base64Decode:
            return encoded(address);
    }
    return address;
}

// The bytes of a short text with everything outside printable ASCII as \xNN, for messages.
std::string Shown(const std::string& bytes) {
    std::string shown;
    for (std::size_t i = 0; i < bytes.size() && i < 120; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, byte >= 0x20 && byte < 0x7F ? "%c" : "\\x%02X",
                      byte);
        shown += escaped;
    }
    return bytes.size() > 120 ? shown + "..." : shown;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class Robustness : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        tool_ = ToolUnderTest::Start(error);
        ASSERT_NE(tool_, nullptr) << error;
    }

    void TearDown() override {
        if (tool_ == nullptr) return;
        EXPECT_TRUE(tool_->Running()) << "the tool ended during the scenario";
        EXPECT_TRUE(tool_->Answers(10000)) << "the tool no longer answers";
        EXPECT_EQ(tool_->Close(), std::optional<DWORD>(0)) << "closing did not end with code 0";
    }

    // Puts `input` into the input box, presses the button and checks that the output box then
    // shows what the core gives for the text that the input box holds (an edit box holds
    // characters, so the tool reads that text, not necessarily the bytes given). Returns seconds.
    double Convert(const Conversion& conversion, const std::string& input) {
        EXPECT_TRUE(tool_->SetText(InputBox, input));
        EXPECT_TRUE(tool_->SetText(OutputBox, Sentinel));
        const std::optional<std::string> held = tool_->Text(InputBox);
        EXPECT_TRUE(held.has_value());
        std::string expected;
        if (tarvik::RunLinkCommand(conversion.command, held.value_or(""), expected) ==
            tarvik::CommandOutcome::NoChange) {
            ADD_FAILURE() << "a scenario input must not be empty";
            return 0;
        }
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(tool_->Press(conversion.button));
        const std::optional<std::string> shown =
            tool_->WaitForChange(OutputBox, Sentinel, PressTimeoutMs);
        const double seconds = SecondsSince(start);
        EXPECT_TRUE(shown.has_value()) << conversion.name << ": no result within the time";
        if (shown) {
            const std::string wanted = ThroughEditBox(expected);
            EXPECT_TRUE(*shown == wanted)
                << conversion.name
                << ": the output box differs from the core's result\n  input:    " << Shown(*held)
                << "\n  shown:    " << Shown(*shown) << "\n  expected: " << Shown(wanted)
                << " (core: " << Shown(expected) << ")";
        }
        return seconds;
    }

    std::unique_ptr<ToolUnderTest> tool_;
};

// A megabyte goes in as lines of about 100 bytes: Wine's multi-line edit box lays out one line in
// time quadratic in its length (a 256 KiB line takes minutes there), which no program using the
// box can avoid. A result that is a single line of a megabyte, as any made link or Base64 encoding
// of a megabyte is, is therefore tried at 8 KiB below.
TEST_F(Robustness, MegabyteInputThroughEveryConversion) {
    const std::string lines = LongAddress(Megabyte, 100);
    const std::string linkedLines = LongAddress(720000, 100);  // a megabyte once in Base64 lines
    for (const Conversion& conversion : Conversions) {
        std::vector<std::string> inputs;
        if (conversion.command == LinkCommand::RayFile ||
            conversion.command == LinkCommand::Base64Decode) {
            inputs.push_back(lines);
        }
        if (conversion.command != LinkCommand::Base64Encode) {
            inputs.push_back(OwnLink(conversion.command, linkedLines, true));
        }
        for (const std::string& input : inputs) {
            const double seconds = Convert(conversion, input);
            std::printf("figure: %s, %zu-byte input in lines: %.2f s\n", conversion.name,
                        input.size(), seconds);
            ASSERT_TRUE(tool_->Answers(10000)) << conversion.name;
        }
    }
    // And a small conversion still works as on a fresh start.
    Convert(Conversions[0], "http://h/a.zip");
}

// Results far beyond the 1024 bytes of a Base64 result buffer, none of them cut short.
TEST_F(Robustness, LongSingleLineResults) {
    const std::string address = LongAddress(8 << 10);
    for (const Conversion& conversion : Conversions) {
        std::vector<std::string> inputs{OwnLink(conversion.command, address)};
        if (conversion.command != LinkCommand::RayFile &&
            conversion.command != LinkCommand::Base64Decode) {
            inputs.push_back(address);
        }
        for (const std::string& input : inputs) {
            const double seconds = Convert(conversion, input);
            std::printf("figure: %s, %zu-byte single-line input: %.2f s\n", conversion.name,
                        input.size(), seconds);
            ASSERT_TRUE(tool_->Answers(10000)) << conversion.name;
        }
    }
}

TEST_F(Robustness, TenThousandPressesPostedAtOnce) {
    constexpr int Presses = 10000;
    constexpr int Rounds = 2;
    ASSERT_TRUE(tool_->SetText(InputBox, "http://h/a.zip"));
    std::string expected;
    tarvik::RunLinkCommand(LinkCommand::Xuanfeng, "http://h/a.zip", expected);

    std::vector<MemoryUse> memory{tool_->Memory()};
    for (int round = 1; round <= Rounds; ++round) {
        ASSERT_TRUE(tool_->SetText(OutputBox, Sentinel));
        int refused = 0;
        const auto start = std::chrono::steady_clock::now();
        // Alternating buttons, so that every press changes the output box; the last press, of
        // another button, is handled only after all before it, since the queue keeps its order.
        for (int press = 0; press < Presses - 1; ++press) {
            refused += !tool_->Press(press % 2 ? Base64DecodeButton : Base64EncodeButton);
        }
        refused += !tool_->Press(XuanfengButton);
        const double posting = SecondsSince(start);
        const std::optional<std::string> shown =
            tool_->WaitForChange(OutputBox, Sentinel, DrainTimeoutMs);
        std::optional<std::string> last = shown;
        while (last && *last != expected && SecondsSince(start) < DrainTimeoutMs / 1000.0) {
            last = tool_->WaitForChange(OutputBox, *last, DrainTimeoutMs);
        }
        const double draining = SecondsSince(start);
        EXPECT_EQ(refused, 0) << "presses the queue refused in round " << round;
        ASSERT_EQ(last, std::optional<std::string>(expected)) << "round " << round;
        ASSERT_TRUE(tool_->Answers(10000));
        memory.push_back(tool_->Memory());
        std::printf(
            "figure: round %d: %d presses posted in %.2f s, all handled after %.2f s; "
            "working set %zu KiB, committed %zu KiB, private %zu KiB\n",
            round, Presses, posting, draining, memory.back().workingSet / 1024,
            memory.back().committed / 1024, memory.back().privateBytes / 1024);
    }
    // Growth past the first round would be memory kept per press.
    ASSERT_GT(memory[1].workingSet, 0u) << "no memory figures from the system";
    constexpr std::size_t Allowance = 2 * 1024 * 1024;
    EXPECT_LT(memory[Rounds].workingSet, memory[1].workingSet + Allowance)
        << "the working set keeps growing with the presses";
    EXPECT_LT(memory[Rounds].committed, memory[1].committed + Allowance)
        << "committed memory keeps growing with the presses";
}

TEST_F(Robustness, PasteOfAMegabyte) {
    const std::string text = "   " + LongAddress(Megabyte - 20, 100) + "\r\nline two\t   ";
    ASSERT_TRUE(PutClipboardText(text));
    ASSERT_TRUE(tool_->SetText(InputBox, "before"));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(tool_->Press(PasteButton));
    const std::optional<std::string> pasted =
        tool_->WaitForChange(InputBox, "before", PressTimeoutMs);
    std::printf("figure: Paste of %zu bytes: %.2f s\n", text.size(), SecondsSince(start));
    ASSERT_TRUE(pasted.has_value());
    const std::string trimmed = text.substr(3, text.size() - 6);
    EXPECT_TRUE(*pasted == ThroughEditBox(trimmed)) << pasted->size() << " bytes pasted";
    EXPECT_EQ(ClipboardText(), std::optional<std::string>(text)) << "Paste changed the clipboard";
}

TEST_F(Robustness, ClipboardTextBlockWithoutNul) {
    // Blocks as a careless program may leave them: no NUL at the end, so a reader that looks
    // for one runs past the block.
    const std::string blocks[] = {std::string(4096, 'x'), "yz", std::string(65536, 'w') + "  "};
    for (const std::string& block : blocks) {
        ASSERT_TRUE(PutClipboardBlock(block.data(), block.size()));
        ASSERT_TRUE(tool_->SetText(InputBox, "before"));
        ASSERT_TRUE(tool_->Press(PasteButton));
        ASSERT_TRUE(tool_->Settle()) << block.size() << "-byte block";
        const std::optional<std::string> pasted = tool_->Text(InputBox);
        ASSERT_TRUE(pasted.has_value());
        // Wine hands another program a CF_TEXT block whose last byte it has made a NUL; Windows
        // hands over the block as it is. Either way nothing past the block may be read.
        const std::string whole = block.substr(0, block.find_last_not_of(' ') + 1);
        const std::string cut = block.substr(0, block.size() - 1);
        const std::string lastByteCut = cut.substr(0, cut.find_last_not_of(' ') + 1);
        EXPECT_TRUE(*pasted == whole || *pasted == lastByteCut)
            << "from a " << block.size() << "-byte block: " << Shown(*pasted);
        std::printf("figure: CF_TEXT block of %zu bytes without NUL: %zu bytes pasted\n",
                    block.size(), pasted->size());
    }
}

// The clipboard is held open by another program (this one) while the tool copies and pastes.
TEST_F(Robustness, ClipboardHeldOpenByAnotherProgram) {
    ASSERT_TRUE(PutClipboardText("the user's clipboard"));
    ASSERT_TRUE(tool_->SetText(OutputBox, "a result to copy"));
    ASSERT_TRUE(tool_->SetText(InputBox, "before"));
    HWND owner =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(owner));

    // Copy answers with its message box, whatever it says; the user closes it.
    ASSERT_TRUE(tool_->Press(CopyButton));
    HWND box = nullptr;
    for (int wait = 0; wait < 500 && box == nullptr; ++wait, Sleep(20)) {
        box = FindOtherProcessWindow(tool_->ProcessId(), tool_->Window());
    }
    EXPECT_NE(box, nullptr) << "Copy showed no message while the clipboard was held";
    if (box != nullptr) {
        std::printf("figure: Copy with the clipboard held shows \"%s\"\n",
                    Shown(WindowTitle(box)).c_str());
        HWND ok = FindWindowExA(box, nullptr, "Button", nullptr);
        PostMessageA(ok != nullptr ? ok : box, ok != nullptr ? BM_CLICK : WM_CLOSE, 0, 0);
        for (int wait = 0; wait < 500 && IsWindow(box); ++wait) Sleep(20);
        ASSERT_FALSE(IsWindow(box)) << "the message box did not close";
    }

    // Paste finds nothing it can read and leaves the input box alone.
    ASSERT_TRUE(tool_->Press(PasteButton));
    ASSERT_TRUE(tool_->Settle());
    EXPECT_EQ(tool_->Text(InputBox), std::optional<std::string>("before"));

    CloseClipboard();
    DestroyWindow(owner);
    EXPECT_EQ(ClipboardText(), std::optional<std::string>("the user's clipboard"))
        << "the held clipboard lost the user's text";
}

TEST_F(Robustness, HighBytesAndLoneLeadBytesInEveryInput) {
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte) everyByte += static_cast<char>(byte);
    std::string highBytes = "http://h/";
    for (int byte = 0x80; byte < 256; ++byte) highBytes += static_cast<char>(byte);
    const std::string inputs[] = {
        everyByte,
        highBytes,
        "http://h/a\xD6",  // a lone GBK lead byte at the end
        "\xD6http://h/a",  // and at the start
        "thunder://" + tarvik::Base64EncodeText("AA\x81\x40\xFE\xFF\x80\xD6ZZ"),
        "Flashget://" + tarvik::Base64EncodeText("[FLASHGET]\xD6[FLASHGET]"),
        "qqdl://" + tarvik::Base64EncodeText(highBytes),
        "fs2you://" + tarvik::Base64EncodeText("http://h/\x81|735"),  // the bar splits \x81|
        "gICA/w==",  // decodes to 0x80 0x80 0x80 0xFF
    };
    int conversions = 0;
    for (const Conversion& conversion : Conversions) {
        for (const std::string& input : inputs) {
            SCOPED_TRACE(std::string(conversion.name) + " on a " + std::to_string(input.size()) +
                         "-byte input");
            Convert(conversion, input);
            ++conversions;
        }
    }
    // Paste passes them on as the input box takes them.
    int pastes = 0;
    for (const std::string& input : inputs) {
        ASSERT_TRUE(PutClipboardText(input)) << "error " << GetLastError();
        ASSERT_TRUE(tool_->SetText(InputBox, "before"));
        ASSERT_TRUE(tool_->Press(PasteButton));
        ASSERT_TRUE(tool_->Settle());
        const auto pasted = tool_->Text(InputBox);
        ASSERT_TRUE(pasted.has_value());
        const std::string trimmed =
            input.substr(input.find_first_not_of(' '),
                         input.find_last_not_of(' ') - input.find_first_not_of(' ') + 1);
        EXPECT_TRUE(*pasted == ThroughEditBox(trimmed))
            << "paste of " << Shown(input) << "\n  pasted:   " << Shown(*pasted)
            << "\n  expected: " << Shown(ThroughEditBox(trimmed));
        ++pastes;
    }
    int changed = 0;
    for (const std::string& input : inputs) changed += ThroughEditBox(input) != input;
    std::printf(
        "figure: %d conversions and %d pastes of high and lone lead bytes; the edit box "
        "changes %d of %zu inputs itself\n",
        conversions, pastes, changed, std::size(inputs));
}

}  // namespace
}  // namespace robustness
