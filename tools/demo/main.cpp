// The framework's demo: shows what the framework can do so far.
#include "framework/FileVersion.h"
#include "framework/ResourceText.h"

#include <iostream>

int main()
{
    using namespace NSHarrowen;
    const CHarrowenFileVersion v = ReadFileVersion();
    std::cout << "Harrowen framework " << v.GetMajor() << '.' << v.GetMinor() << '.' << v.GetThird() << '\n';
    std::cout << "Alert 501000002: " << GetResourceAlert(501000002) << '\n';
    return 0;
}
