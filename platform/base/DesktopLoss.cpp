#include "platform/base/DesktopLoss.h"

#include <cstdio>
#include <unistd.h>

namespace platform {

namespace {

std::function<std::string()>& Report()
{
    static std::function<std::string()> report;
    return report;
}

} // namespace

void SetDesktopLossReport(std::function<std::string()> report)
{
    Report() = std::move(report);
}

void EndForLostDesktop(const char* why)
{
    std::fprintf(stderr, "The connection to the desktop was lost (%s): ending now.\n", why ? why : "");
    if (Report()) {
        try {
            const std::string lost = Report()();
            std::fprintf(stderr, "%s\n", lost.empty() ? "Nothing was left unsaved." : lost.c_str());
        } catch (...) {
            std::fprintf(stderr, "What was left unsaved could not be told.\n");
        }
    }
    std::fflush(stderr);
    _exit(3);
}

} // namespace platform
