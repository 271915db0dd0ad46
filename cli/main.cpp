// tarvik-link: the window's conversions for scripts. Here the command line is read and the
// streams are joined to the conversion; results go to standard output, errors to standard error.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "cli/conversion.h"
#include "cli/system.h"

namespace tarvik::cli {
namespace {

void WriteErrors(std::string_view bytes) {
    Write(2, bytes);
}

// A failed write ends the run, with a message unless the reader has gone (where the signal does
// not end it first).
void WriteOutput(std::string_view bytes) {
    if (Write(1, bytes)) return;
    if (errno != EPIPE)
        Report(WriteErrors, std::string("cannot write the output: ") + std::strerror(errno));
    std::exit(ExitFailed);
}

// The inputs read one after another as one stream: the files named, "-" for standard input, or
// standard input alone. One that cannot be read is reported, and the rest are still read.
class Inputs {
  public:
    // `files` are indexes in the arguments after the program's name.
    Inputs(char** argv, const std::vector<std::size_t>& files) : argv_(argv) {
        for (const std::size_t file : files) indexes_.push_back(static_cast<int>(file) + 1);
        if (indexes_.empty()) indexes_.push_back(0);
    }

    std::ptrdiff_t Read(char* buffer, std::size_t size) {
        while (descriptor_ >= 0 || Open()) {
            const std::ptrdiff_t count = ReadInput(descriptor_, buffer, size);
            if (count > 0) return count;
            if (count < 0) Fail("cannot read");
            if (descriptor_ != StandardInput) CloseInput(descriptor_);
            descriptor_ = -1;
        }
        return 0;
    }

    bool AllRead() const { return allRead_; }

  private:
    // Opens the next input that opens; false when none is left.
    bool Open() {
        while (next_ < indexes_.size()) {
            index_ = indexes_[next_++];
            const bool standardInput = index_ == 0 || std::string_view(argv_[index_]) == "-";
            if (standardInput && InputIsTerminal()) {
                Report(WriteErrors, "reading standard input from the terminal; " +
                                        std::string(EndOfInputKeys) + " ends it");
            }
            descriptor_ = standardInput ? StandardInput : OpenInput(argv_, index_);
            if (descriptor_ >= 0) return true;
            Fail("cannot open");
        }
        return false;
    }

    void Fail(const char* what) {
        const bool standardInput = descriptor_ == StandardInput || index_ == 0;
        Report(WriteErrors, std::string(what) + " " +
                                (standardInput ? "standard input" : argv_[index_]) + ": " +
                                std::strerror(errno));
        allRead_ = false;
    }

    char** argv_;
    std::vector<int> indexes_;  // in argv; 0 for standard input alone
    std::size_t next_ = 0;
    int index_ = 0;  // of the input being read
    int descriptor_ = -1;
    bool allRead_ = true;
};

int Main(int argc, char** argv) {
    PrepareStandardStreams();
    const Invocation invocation =
        ParseArguments(std::vector<std::string_view>(argv + 1, argv + argc));
    std::optional<std::string> text;
    if (invocation.textIndex)
        text = TextArgument(argv, static_cast<int>(*invocation.textIndex) + 1, invocation.gbk);
    Inputs inputs(argv, invocation.fileIndexes);
    const Streams streams{
        [&inputs](char* buffer, std::size_t size) { return inputs.Read(buffer, size); },
        WriteOutput, WriteErrors};
    const int exitCode = Run(invocation, text, MessagesInUtf8(invocation.gbk), streams);
    return inputs.AllRead() ? exitCode : ExitFailed;
}

}  // namespace
}  // namespace tarvik::cli

int main(int argc, char** argv) {
    // The only exception that can arise is exhausted memory; it ends the run with a message.
    try {
        return tarvik::cli::Main(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("tarvik-link: out of memory\n", stderr);
        return 1;
    }
}
