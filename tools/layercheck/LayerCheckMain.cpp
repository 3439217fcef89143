// layercheck <top> <rules>: lists every include the rules refuse; exits 1
// when there is one.
#include "tools/layercheck/LayerCheck.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: layercheck <top folder> <rules file>\n";
        return 2;
    }
    std::ifstream text(argv[2]);
    if (!text) {
        std::cerr << "layercheck: cannot read " << argv[2] << "\n";
        return 2;
    }
    try {
        const auto violations = layering::CheckTree(argv[1], layering::CLayerRules::Parse(text));
        for (const auto& violation : violations)
            std::cout << layering::Describe(violation) << "\n";
        return violations.empty() ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "layercheck: " << e.what() << "\n";
        return 2;
    }
}
