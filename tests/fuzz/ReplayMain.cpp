// Runs a fuzz target over files and folders of inputs without libFuzzer (gcc builds):
// every regular file named, or found directly in a named folder, is one input.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void RunFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-') {  // a fuzzer's flag: this build has no fuzzer
            std::fprintf(stderr, "not a fuzzing build: %s ignored\n", argv[i]);
            return 2;
        }
        const std::filesystem::path arg(argv[i]);
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg))
                if (entry.is_regular_file()) RunFile(entry.path()), ++count;
        } else if (std::filesystem::is_regular_file(arg)) {
            RunFile(arg), ++count;
        }
    }
    std::printf("%d inputs ran\n", count);
    return 0;
}
