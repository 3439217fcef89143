#include "framework/application/LowLevelApplication.h"

#include "framework/application/StartupRecord.h"
#include "platform/system/FileSystem.h"

namespace NSHarrowen {

namespace {

std::string RunningExecutable()
{
    const std::string path = platform::ExecutablePath();
    return path.empty() ? std::string("/") + "program" : path;
}

} // namespace

CLowLevelApplication::CLowLevelApplication(const CStartupRecord& record)
    : executable_(record.executable ? *record.executable : CFileSpec(RunningExecutable())), version_(ReadFileVersion()),
      instance_(record.instance), name_(record.applicationName)
{ }

CLowLevelApplication::CLowLevelApplication(std::string name)
    : executable_(RunningExecutable()), version_(ReadFileVersion()), name_(std::move(name))
{ }

} // namespace NSHarrowen
