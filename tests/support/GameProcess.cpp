#include "support/GameProcess.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qv::test {

namespace {

// In the child, before exec: everything here must only fail by ending the child.
[[noreturn]] void execGame(const GameProcess& game, const std::string& outputFile) {
    if (::chdir(game.workingDirectory.c_str()) != 0)
        ::_exit(126);
    const int out = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || ::dup2(out, 1) < 0 || ::dup2(out, 2) < 0)
        ::_exit(126);
    if (game.fileSizeLimit) {
        const rlimit limit{*game.fileSizeLimit, *game.fileSizeLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(126);
    }
    if (game.user && (::setgid(*game.user) != 0 || ::setuid(*game.user) != 0))
        ::_exit(126);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    for (const auto& [name, value] : game.environment) {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
    std::vector<std::string> words{game.binary.string()};
    words.insert(words.end(), game.args.begin(), game.args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

} // namespace

GameProcess::Result GameProcess::run() const {
    TempDir scratch;
    const std::string outputFile = scratch.file("output.txt");
    Result result;
    const pid_t pid = ::fork();
    if (pid == 0)
        execGame(*this, outputFile);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return result;
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    std::ifstream in(outputFile);
    std::stringstream text;
    text << in.rdbuf();
    result.output = text.str();
    return result;
}

} // namespace qv::test
