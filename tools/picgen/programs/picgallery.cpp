// Writes one PNG of every module face and every fixed picture, for a person
// to look at:
//
//   picgallery <file.png>
#include "platform/PngWriter.h"
#include "tools/picgen/Gallery.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: picgallery <file.png>\n";
        return 2;
    }
    try {
        platform::WritePng(argv[1], picgen::MakeGallery().Pixels());
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "picgallery: " << e.what() << "\n";
        return 1;
    }
}
