// Runs vorpel-cli as a separate program and collects what it prints.
#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace vorpel::test {

struct CliRun {
    int status = -1; // the exit status, -1 when the program did not exit normally
    std::string out;
};

// `arguments` as typed in a shell; standard error is kept with standard output or dropped.
inline CliRun RunCli(const std::string& arguments, bool withErrors) {
    const std::string command =
        std::string(VORPEL_CLI) + " " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null");
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    std::size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

} // namespace vorpel::test
