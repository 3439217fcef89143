#include "simulator/SimFaultPlan.h"

#include <sstream>

namespace sim {

namespace {

bool ReadVersion(std::istringstream& in, std::array<uint8_t, 5>& version)
{
    for (uint8_t& b : version) {
        unsigned v = 0;
        if (!(in >> v) || v > 127)
            return false;
        b = static_cast<uint8_t>(v);
    }
    return true;
}

template <class T, size_t N> bool Lookup(const std::pair<const char*, T> (&table)[N], const std::string& word, T& value)
{
    for (const auto& [name, v] : table)
        if (word == name) {
            value = v;
            return true;
        }
    return false;
}

constexpr std::pair<const char*, SimAnswerFault> kAnswerWords[] = {
    {"drop", SimAnswerFault::Drop},   {"duplicate", SimAnswerFault::Duplicate}, {"corrupt", SimAnswerFault::Corrupt},
    {"delay", SimAnswerFault::Delay}, {"error", SimAnswerFault::Error},
};

constexpr std::pair<const char*, SimIdentifyFault> kIdentifyWords[] = {
    {"none", SimIdentifyFault::None},
    {"noreply", SimIdentifyFault::NoReply},
    {"short", SimIdentifyFault::Short},
    {"unknown-model", SimIdentifyFault::UnknownModel},
    {"update-mode", SimIdentifyFault::UpdateMode},
};

constexpr std::pair<const char*, SimValueFault> kValueWords[] = {
    {"bad-checksum", SimValueFault::BadChecksum},
    {"truncated", SimValueFault::Truncated},
    {"index-beyond", SimValueFault::IndexBeyondEnd},
};

} // namespace

std::optional<SimAnswerFaultEntry> CSimFaultPlan::TakeAnswerFault(unsigned n)
{
    const auto it = answers_.find(n);
    if (it == answers_.end())
        return std::nullopt;
    const SimAnswerFaultEntry fault = it->second;
    answers_.erase(it);
    return fault;
}

bool CSimFaultPlan::ParseLine(const std::string& line, std::string& error)
{
    std::istringstream in(line);
    std::string word;
    in >> word;
    unsigned n = 0;
    const auto answer = [&](SimAnswerFault kind) {
        if (!(in >> n) || n == 0)
            return false;
        SimAnswerFaultEntry fault{kind, 0, 3};
        unsigned arg = 0;
        if (kind == SimAnswerFault::Delay || kind == SimAnswerFault::Error) {
            if (!(in >> arg))
                return false;
            if (kind == SimAnswerFault::Delay)
                fault.delayMs = arg;
            else
                fault.errorCode = static_cast<uint8_t>(arg & 0x7F);
        }
        AtAnswer(n, fault);
        return true;
    };
    bool ok = false;
    SimAnswerFault kind = SimAnswerFault::Drop;
    if (Lookup(kAnswerWords, word, kind))
        ok = answer(kind);
    else if (word == "identify") {
        std::string kind;
        in >> kind;
        if (kind == "version") {
            identify = SimIdentifyFault::OtherVersion;
            ok = ReadVersion(in, otherVersion);
        } else
            ok = Lookup(kIdentifyWords, kind, identify);
    } else if (word == "version-change")
        ok = (in >> changeVersionAfter) && changeVersionAfter > 0 && ReadVersion(in, changedVersion);
    else if (word == "buffers") {
        bufferSizes.clear();
        for (size_t size = 0; in >> size;)
            if (size > 0)
                bufferSizes.push_back(size);
        ok = !bufferSizes.empty();
    } else if (word == "coalesce")
        ok = coalesce = true;
    else if (word == "values") {
        std::string kind;
        in >> kind;
        ok = Lookup(kValueWords, kind, valueFault);
    }
    if (!ok)
        error = "not understood: " + line;
    return ok;
}

bool CSimFaultPlan::ParseScript(const std::string& text, std::string& error)
{
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos || line[line.find_first_not_of(" \t")] == '#')
            continue;
        if (!ParseLine(line, error))
            return false;
    }
    return true;
}

} // namespace sim
