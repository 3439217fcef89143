// Writes one PNG of every module face and every fixed picture, for a person
// to look at:
//
//   picgallery <file.png>
#include "platform/graphics/PngWriter.h"
#include "tools/picgen/Gallery.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: picgallery <file.png>\n";
        return 2;
    }
    try {
        const std::filesystem::path file = argv[1];
        if (file.has_parent_path())
            std::filesystem::create_directories(file.parent_path());
        platform::WritePng(file.string(), picgen::MakeGallery().Pixels());
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "picgallery: " << e.what() << "\n";
        return 1;
    }
}
