#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/cli/program_run.h"

namespace {

// Files rather than pipes: the program's output can then be of any size without a reader thread.
struct ScratchFile {
    std::string path = "/tmp/tarvik-link-test-XXXXXX";
    ScratchFile() {
        const int descriptor = mkstemp(path.data());
        if (descriptor >= 0) close(descriptor);
    }
    ~ScratchFile() { unlink(path.c_str()); }
    std::string Read() const {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }
};

}  // namespace

ProgramRun RunTarvikLink(const std::vector<std::string>& arguments, std::string_view input,
                         const char* outputPath) {
    ScratchFile in, out, err;
    std::ofstream(in.path, std::ios::binary).write(input.data(), std::ssize(input));

    std::vector<char*> argv{const_cast<char*>(TARVIK_LINK_PATH)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.path.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outputPath ? outputPath : out.path.c_str(),
                                     O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err.path.c_str(), O_WRONLY | O_TRUNC, 0);

    ProgramRun run;
    pid_t child = 0;
    if (posix_spawn(&child, TARVIK_LINK_PATH, &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(child, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    if (outputPath == nullptr) run.out = out.Read();
    run.err = err.Read();
    return run;
}
