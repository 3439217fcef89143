#include "platform/base/DroppedExceptions.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <typeinfo>
#include <utility>

namespace platform {

namespace {

std::mutex gMutex;
std::vector<std::string> gDropped;

std::string TypeName(const std::type_info& type)
{
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                      std::free);
    return status == 0 && name ? name.get() : type.name();
}

// What the exception in flight is: its type, and its text where it has one
// of its own.
std::string Describe(const std::exception_ptr& exception)
{
    try {
        std::rethrow_exception(exception);
    } catch (const std::exception& e) {
        const std::string type = TypeName(typeid(e));
        const std::string text = e.what();
        return text.empty() || text == "std::exception" ? type : type + " (" + text + ")";
    } catch (...) {
        return "an exception of unknown type";
    }
}

} // namespace

void RecordDroppedException(const char* where) noexcept
{
    try {
        const std::exception_ptr exception = std::current_exception();
        std::string line = std::string("dropped in ") + where + ": " +
            (exception ? Describe(exception) : std::string("no exception in flight"));
        std::fprintf(stderr, "%s\n", line.c_str());
        const std::lock_guard<std::mutex> guard(gMutex);
        gDropped.push_back(std::move(line));
    } catch (...) {
        std::fprintf(stderr, "dropped in %s (not recorded: out of memory)\n", where);
    }
}

std::vector<std::string> TakeDroppedExceptions()
{
    const std::lock_guard<std::mutex> guard(gMutex);
    return std::exchange(gDropped, {});
}

} // namespace platform
