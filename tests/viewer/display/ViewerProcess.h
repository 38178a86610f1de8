// The built Orvex program as a child process: started in a folder of the test's choice,
// its stderr and stdout kept in files, ended by the test or waited for.
#pragma once

#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

class ViewerProcess {
public:
    // Starts `program` with `arguments`, `dir` as its working folder and `environment`
    // ("NAME=value") added to the test's own.
    ViewerProcess(const std::string& program, const std::string& dir, const std::vector<std::string>& environment = {},
                  const std::vector<std::string>& arguments = {});
    // Kills the process if it still runs.
    ~ViewerProcess();
    ViewerProcess(const ViewerProcess&) = delete;
    ViewerProcess& operator=(const ViewerProcess&) = delete;

    bool Started() const { return pid > 0; }
    bool Running();
    // Waits up to `seconds`; true when the process ended. ExitCode/Signal then say how.
    bool WaitForExit(double seconds);
    int ExitCode() const { return exitCode; }
    int Signal() const { return signal; }
    // What the process wrote on stderr and on stdout so far.
    std::string Stderr() const;
    std::string Stdout() const;

private:
    pid_t pid = -1;
    int exitCode = -1;
    int signal = 0;
    std::string stderrPath;
    std::string stdoutPath;
};

// Lines of a text, without their newlines; a last line without newline counts too.
std::vector<std::string> Lines(const std::string& text);
