// Bootwren: updates the operating system of a synthesizer in its update state
// from an update image (a ".dmp" file from the synthesizer's maker).

#include "framework/application/StartupRecord.h"
#include "updater/app/Bootwren.h"

int main(int argc, char** argv)
{
    return NSHarrowen::RunProgramMain(argc, argv, NSBootwren::RunBootwrenApplication);
}
