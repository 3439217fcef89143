#pragma once

#include "framework/files/Media.h"

#include <list>
#include <memory>
#include <string>
#include <string_view>
#include "framework/files/DirSpec.h"

namespace NSHarrowen {

class CDirSpec;

// Owned file specs in order.
class CFileSpecList {
public:
    using List = std::list<std::unique_ptr<CFileSpec>>;
    void Append(std::unique_ptr<CFileSpec> spec) { specs_.push_back(std::move(spec)); }
    void Clear() { specs_.clear(); }
    size_t GetCount() const { return specs_.size(); }
    bool IsEmpty() const { return specs_.empty(); }
    List::const_iterator begin() const { return specs_.begin(); }
    List::const_iterator end() const { return specs_.end(); }

private:
    List specs_;
};

} // namespace NSHarrowen
