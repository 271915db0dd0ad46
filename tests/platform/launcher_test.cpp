#include "platform/launcher.h"

#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/test_support.h"

namespace tarvik {
namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// Every launch starts from the scratch folder, which is neither the helper's folder nor a
// document's, so the working directory tells a direct start from one by the shell.
class Launcher : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        InitializeLauncher();
        CoInitialize(nullptr);
    }

    void SetUp() override {
        scratch_ = test::ScratchFolder();
        SetCurrentDirectoryA(scratch_.c_str());
    }

    std::string scratch_;
    test::LaunchRecorder recorder_;
};

TEST_F(Launcher, ProgramPathStartsTheProgramItself) {
    const std::string helper = test::HelperPath();
    const std::string spacedFolder = test::ScratchFolder() + "record helper\\";
    CreateDirectoryA(spacedFolder.c_str(), nullptr);
    const std::string spaced = spacedFolder + "record helper.exe";
    ASSERT_TRUE(CopyFileA(helper.c_str(), spaced.c_str(), FALSE));
    const std::string workFolder = test::ScratchFolder() + "work\\";
    CreateDirectoryA(workFolder.c_str(), nullptr);

    struct Case {
        std::string target, parameters, workingDirectory, program;
        std::vector<std::string> arguments;
        std::string expectedDirectory;
    };
    const Case cases[] = {
        {helper, "", "", helper, {}, scratch_},
        {helper, "one \"two three\"", "", helper, {"one", "two three"}, scratch_},
        {Quoted(helper), "quoted", "", helper, {"quoted"}, scratch_},
        {spaced, "x y", "", spaced, {"x", "y"}, scratch_},
        {Quoted(spaced), "", "", spaced, {}, scratch_},
        {helper, "", workFolder, helper, {}, workFolder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target + " " + c.parameters);
        EXPECT_EQ(LaunchTarget(c.target, c.parameters, c.workingDirectory, 0, nullptr), 1);
        test::LaunchRecord record;
        ASSERT_TRUE(recorder_.Read(record));
        ASSERT_FALSE(record.arguments.empty());
        EXPECT_EQ(lstrcmpiA(record.arguments[0].c_str(), c.program.c_str()), 0)
            << record.arguments[0];
        EXPECT_EQ(std::vector<std::string>(record.arguments.begin() + 1, record.arguments.end()),
                  c.arguments);
        EXPECT_TRUE(test::SameFolder(record.workingDirectory, c.expectedDirectory))
            << record.workingDirectory;
    }
}

TEST_F(Launcher, DocumentOpensWithItsFolderAsWorkingDirectory) {
    test::ShellAssociation association({
        {".tarviktest", "TarvikTest.Document"},
        {"TarvikTest.Document\\shell\\open\\command", Quoted(test::HelperPath()) + " \"%1\""},
    });
    ASSERT_TRUE(association.Registered());
    const std::string folder = test::ScratchFolder() + "documents\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string document = folder + "notes.tarviktest";
    HANDLE file =
        CreateFileA(document.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    for (const std::string& target : {document, Quoted(document)}) {
        SCOPED_TRACE(target);
        EXPECT_EQ(OpenInShell(target), 1);
        test::LaunchRecord record;
        ASSERT_TRUE(recorder_.Read(record));
        ASSERT_EQ(record.arguments.size(), 2u) << record.commandLine;
        EXPECT_EQ(lstrcmpiA(record.arguments[1].c_str(), document.c_str()), 0);
        EXPECT_TRUE(test::SameFolder(record.workingDirectory, folder)) << record.workingDirectory;
    }
}

TEST_F(Launcher, AddressOpensWithTheProgramOfItsScheme) {
    test::ShellAssociation association({
        {"http\\shell\\open\\command", Quoted(test::HelperPath()) + " \"%1\""},
    });
    ASSERT_TRUE(association.Registered());
    EXPECT_EQ(OpenInShell("http://www.tarvik.com/link/"), 1);
    test::LaunchRecord record;
    ASSERT_TRUE(recorder_.Read(record));
    ASSERT_EQ(record.arguments.size(), 2u) << record.commandLine;
    EXPECT_EQ(record.arguments[1], "http://www.tarvik.com/link/");
}

TEST_F(Launcher, TargetNobodyCanOpenFailsWithoutAWord) {
    const std::string unassociated = scratch_ + "nothing.tarviknone";
    CloseHandle(
        CreateFileA(unassociated.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    for (const std::string& target : {unassociated, scratch_ + "missing\\gone.tarviknone",
                                      std::string("tarvik-none:thing"), std::string()}) {
        SCOPED_TRACE(target);
        test::MessageBoxAnswerer anyBox("", [](HWND) {});
        EXPECT_EQ(OpenInShell(target), 0);
        Sleep(300);  // a box that the shell would show comes up at once
        EXPECT_FALSE(anyBox.Answered());
    }
}

}  // namespace
}  // namespace tarvik
