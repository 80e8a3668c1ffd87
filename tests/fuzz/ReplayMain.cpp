// Feeds every file of the given folders (or the given files) to a fuzz target once, in
// name order: the committed corpus then runs as a plain regression test in every build,
// with no fuzzing engine.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& Path)
{
    std::vector<std::filesystem::path> Inputs;
    if (std::filesystem::is_directory(Path)) {
        for (const auto& Entry : std::filesystem::directory_iterator(Path))
            if (Entry.is_regular_file())
                Inputs.push_back(Entry.path());
    } else {
        Inputs.push_back(Path);
    }
    std::sort(Inputs.begin(), Inputs.end());
    return Inputs;
}

} // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    std::size_t Count = 0;
    for (int I = 1; I < argc; ++I) {
        if (!std::filesystem::exists(argv[I])) {
            std::fprintf(stderr, "no such corpus: %s\n", argv[I]);
            return 1;
        }
        for (const std::filesystem::path& Input : InputsOf(argv[I])) {
            std::ifstream File(Input, std::ios::binary);
            const std::vector<char> Bytes((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
            // A target checks its own rules and aborts on a broken one, as under the fuzzer.
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size());
            ++Count;
        }
    }
    std::printf("%zu inputs replayed\n", Count);
    return Count > 0 ? 0 : 1;
}
