#pragma once
// The SDL2 sweep program (bench_SdlSweep, built beside the benchmarks where libsdl2-dev
// is installed) run as a child that draws on request, so that the frame benchmark can
// take its own frames and SDL's in turn and compare them in one run.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>

namespace bench {

class SdlPeer {
public:
    struct Figures {
        double p50 = 0, p95 = 0, cpu50 = 0;  // wall and processor milliseconds per frame
    };

    // Starts the program found next to this executable with `environment` added
    // ("NAME=value", or empty); false when it is missing or does not come up.
    bool Start(const std::string& environment) {
        std::error_code error;
        const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
        const std::string program = (self.parent_path() / "bench_SdlSweep").string();
        if (error || access(program.c_str(), X_OK) != 0) return false;
        int toChild[2], fromChild[2];
        if (pipe(toChild) != 0) return false;
        if (pipe(fromChild) != 0) return false;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(toChild[0], 0);
            dup2(fromChild[1], 1);
            for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) close(fd);
            if (!environment.empty()) putenv(const_cast<char*>(environment.c_str()));
            execl(program.c_str(), program.c_str(), "--serve", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(toChild[0]);
        close(fromChild[1]);
        to_ = fdopen(toChild[1], "w");
        from_ = fdopen(fromChild[0], "r");
        char line[128] = {};
        if (pid_ < 0 || !to_ || !from_ || !std::fgets(line, sizeof(line), from_)) return Stop(), false;
        name_ = line;
        name_.erase(name_.find_last_not_of("\r\n") + 1);
        return true;
    }

    // `frames` frames of n sprites; endless times if the program has gone, so that no N
    // fits.
    Figures Measure(int n, int frames) {
        Figures f;
        if (to_) {
            std::fprintf(to_, "%d %d\n", n, frames);
            std::fflush(to_);
            if (std::fscanf(from_, "%lf %lf %lf", &f.p50, &f.p95, &f.cpu50) == 3) return f;
            Stop();
        }
        const double endless = std::numeric_limits<double>::infinity();
        return {endless, endless, endless};
    }

    const std::string& Name() const { return name_; }
    bool Running() const { return to_ != nullptr; }

    void Stop() {
        if (to_) std::fclose(to_);  // end of input ends the program
        if (from_) std::fclose(from_);
        to_ = from_ = nullptr;
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    ~SdlPeer() { Stop(); }

private:
    pid_t pid_ = -1;
    FILE* to_ = nullptr;
    FILE* from_ = nullptr;
    std::string name_;
};

}  // namespace bench
