// Draws every picture the programs read and writes each as the resource file
// the picture manifest names, then a stamp file that tells the build they
// are all there:
//
//   picgen <output folder>
#include "tools/picgen/PictureSet.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: picgen <output folder>\n";
        return 2;
    }
    try {
        const auto start = std::chrono::steady_clock::now();
        const fs::path folder = argv[1];
        fs::create_directories(folder);
        std::set<std::pair<std::string, int>> seen;
        const auto pictures = picgen::MakeAllPictures();
        for (const picgen::CPicture& p : pictures) {
            if (!seen.emplace(p.type, p.id).second)
                throw std::runtime_error("two pictures are " + p.FileName());
            const auto bytes = p.Encode();
            std::ofstream out(folder / p.FileName(), std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            if (!out)
                throw std::runtime_error("cannot write " + (folder / p.FileName()).string());
        }
        std::ofstream(folder / "pictures.stamp", std::ios::trunc) << pictures.size() << " pictures\n";
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        std::cout << "picgen: " << pictures.size() << " pictures in " << ms << " ms\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "picgen: " << e.what() << "\n";
        return 1;
    }
}
