#pragma once

#include "framework/files/FileSpec.h"
#include "framework/application/FileVersion.h"

#include <cstdint>
#include <string>

namespace NSHarrowen {

struct CStartupRecord;

// What every application knows of itself: its executable, version, instance
// and name.
class CLowLevelApplication {
public:
    explicit CLowLevelApplication(const CStartupRecord& record);
    // The running executable, under a name of the caller's.
    explicit CLowLevelApplication(std::string name);
    virtual ~CLowLevelApplication() = default;

    const CFileSpec& GetExecutable() const { return executable_; }
    CHarrowenFileVersion GetFileVersion() const { return version_; }
    uintptr_t GetApplicationInstance() const { return instance_; }
    const std::string& GetName() const { return name_; }

private:
    CFileSpec executable_;
    CHarrowenFileVersion version_;
    uintptr_t instance_ = 0;
    std::string name_;
};

} // namespace NSHarrowen
