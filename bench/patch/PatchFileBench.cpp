// Reading and writing the largest patch the editor can hold: two areas of
// 127 modules of the widest type with 255 cables each, every map full, 32
// current notes and a page of notes. The file steps go through a real file
// (the save includes the atomic replace and its syncs); the text steps show
// the parsing and composing alone. Goal: each under 1 ms. The save's two
// syncs (the file's and its folder's, which keep a save whole through a
// power cut) and its rename over the old file wait for the disk:
// BM_WriteLargestPatchFile reports them apart, sync_ms, from write_ms, the
// composing and writing (goal 1 ms).
// PATCHBENCH_KEEP=FILE keeps a copy of the largest patch file there.
#include "modules/ModuleCatalogueContent.h"
#include "panels/ModuleCatalogue.h"
#include "patch/files/PatchFile.h"
#include "patch/files/PatchFileDumps.h"
#include "patch/files/PatchFileReader.h"
#include "patch/files/PatchFileWriter.h"
#include "synth/files/SectionedTextFile.h"
#include "tests/patch/PatchFileFixtures.h"

#include "framework/files/FileSpec.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <unistd.h>

namespace {

double g_syncMs = 0;

// The C library's function of the name, timed into g_syncMs.
template <typename Result, typename... Args> Result TimedCall(const char* name, Args... args)
{
    using Function = Result (*)(Args...);
    const auto real = reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
    const auto start = std::chrono::steady_clock::now();
    const Result result = real(args...);
    g_syncMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return result;
}

} // namespace

// Every sync and rename of the program goes through here.
extern "C" int fsync(int fd)
{
    return TimedCall<int>("fsync", fd);
}

extern "C" int rename(const char* from, const char* to) noexcept
{
    return TimedCall<int>("rename", from, to);
}

namespace {

struct CLargestPatch {
    CLargestPatch()
    {
        SetModuleTypeInfo(&GetSharedModuleCatalogue());
        patchfixtures::BuildPatch(patchfixtures::LargestShape(), dumps);
        notes = std::string(2000, 'n') + "\r" + std::string(2000, 'm');
    }
    CMoleculePacket dumps;
    std::string notes;
};

// A folder of its own under the system's temporary folder.
struct CBenchFolder {
    CBenchFolder() : path(std::filesystem::temp_directory_path() / ("patchbench-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(path);
    }
    ~CBenchFolder() { std::filesystem::remove_all(path); }
    NSHarrowen::CFileSpec Spec() const { return NSHarrowen::CFileSpec((path / "largest.pch").string()); }
    std::filesystem::path path;
};

const CLargestPatch& Largest()
{
    static const CLargestPatch patch;
    return patch;
}

void ComposeText(CSectionedTextFile& file)
{
    CPatchFileWriter writer(file);
    for (const CMolecule* molecule : Largest().dumps)
        molecule->WriteToPatchFile(writer);
    writer.WriteNotesSection(Largest().notes);
}

void BM_WriteLargestPatchFile(benchmark::State& state)
{
    const CBenchFolder folder;
    const NSHarrowen::CFileSpec spec = folder.Spec();
    double totalMs = 0;
    const double syncsBefore = g_syncMs;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        WritePatchFile(spec, Largest().dumps, Largest().notes);
        totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    const double syncMs = g_syncMs - syncsBefore;
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(spec.GetFullPath()));
    state.counters["write_ms"] = benchmark::Counter(totalMs - syncMs, benchmark::Counter::kAvgIterations);
    state.counters["sync_ms"] = benchmark::Counter(syncMs, benchmark::Counter::kAvgIterations);
    state.counters["x_goal"] = benchmark::Counter(totalMs - syncMs, benchmark::Counter::kAvgIterations);
    if (const char* keep = std::getenv("PATCHBENCH_KEEP"))
        std::filesystem::copy_file(spec.GetFullPath(), keep, std::filesystem::copy_options::overwrite_existing);
}
BENCHMARK(BM_WriteLargestPatchFile)->Unit(benchmark::kMicrosecond);

void BM_ReadLargestPatchFile(benchmark::State& state)
{
    const CBenchFolder folder;
    const NSHarrowen::CFileSpec spec = folder.Spec();
    WritePatchFile(spec, Largest().dumps, Largest().notes);
    for (auto _ : state) {
        CPatchFileContent content;
        ReadPatchFile(spec, content);
        benchmark::DoNotOptimize(content.dumps.GetCount());
    }
}
BENCHMARK(BM_ReadLargestPatchFile)->Unit(benchmark::kMicrosecond);

void BM_ComposeLargestPatchText(benchmark::State& state)
{
    for (auto _ : state) {
        CSectionedTextFile file;
        ComposeText(file);
        benchmark::DoNotOptimize(file.GetText().size());
    }
}
BENCHMARK(BM_ComposeLargestPatchText)->Unit(benchmark::kMicrosecond);

void BM_ParseLargestPatchText(benchmark::State& state)
{
    CSectionedTextFile composed;
    ComposeText(composed);
    for (auto _ : state) {
        CSectionedTextFile file;
        file.SetText(composed.GetText());
        std::string line;
        file.ReadLine(line); // the header's opening line
        file.ReadLine(line); // the version line
        CPatchFileDumps dumps;
        CPatchFileReader reader(file, dumps);
        std::string notes;
        reader.ReadAll(notes);
        benchmark::DoNotOptimize(notes.size());
    }
}
BENCHMARK(BM_ParseLargestPatchText)->Unit(benchmark::kMicrosecond);

} // namespace
