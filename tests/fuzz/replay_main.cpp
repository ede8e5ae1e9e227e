// Runs a fuzz target's LLVMFuzzerTestOneInput once over every file of the
// folders (or files) named on the command line, without libFuzzer, so every
// build checks its seed corpus under the sanitizers.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> inputFiles(int argc, char** argv)
{
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        if (fs::is_directory(argv[i])) {
            for (const auto& item : fs::directory_iterator(argv[i]))
                if (item.is_regular_file())
                    files.push_back(item.path());
        } else if (fs::is_regular_file(argv[i])) {
            files.emplace_back(argv[i]);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<fs::path> files = inputFiles(argc, argv);
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("replayed %zu inputs\n", files.size());
    // No input means a wrong path or a lost corpus, not a pass.
    return files.empty() ? 1 : 0;
}
