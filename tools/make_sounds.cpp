// Makes the table's sounds and writes them into the folder named on the
// command line, one WAV file for each kind of event, the same on every run.
// The build runs it; the samples are installed with the game's data.

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "sound/wav_file.h"
#include "tools/sound_synthesis.h"

namespace {

bool write_file(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool write_all(const std::filesystem::path& folder)
{
    bool written = true;
    for (size_t i = 0; i < SAMPLE_FILES.size(); ++i) {
        const Sample sample = synthesise(recipe_for(static_cast<TableEventKind>(i)));
        written = write_file(folder / SAMPLE_FILES[i], encode_wav(sample)) && written;
    }
    return written;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds FOLDER\n");
        return 2;
    }
    if (!std::filesystem::is_directory(argv[1]) || !write_all(argv[1])) {
        std::fprintf(stderr, "make_sounds: could not write the sounds into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
