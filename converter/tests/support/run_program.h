// Runs a program as a child process and captures what it printed.
#pragma once

#include <set>
#include <string>
#include <vector>

struct ProgramRun {
    int status = -1;  // exit status 0 to 255, or -1 if it did not exit normally
    std::string out;
    std::string err;
};

struct RunOptions {
    // Standard output goes to a pipe whose reading end is already closed.
    bool closedStandardOutput = false;
    // The largest file the program may write, in bytes (RLIMIT_FSIZE); 0: no limit.
    long fileSizeLimit = 0;
};

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& workingDirectory, RunOptions options = {});

// A fresh, empty directory under the system's temporary directory, removed
// with everything in it when the object goes.
class TemporaryDirectory {
public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The names in a folder, "." and ".." left out.
std::set<std::string> FileNames(const std::string& folder);
