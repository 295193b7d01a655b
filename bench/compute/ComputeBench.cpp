// The cost of a computation around the engine, as the user meets it.
//
// First, the first Compute of 10,000 rocks on a document just opened: each
// measurement runs in a process of its own (bench_compute --first doc.cla),
// which opens the document, computes once, computes again on the memory the
// first one took, then throws the same rocks through the engine alone; the
// median of five such processes is printed with its ratio to the engine
// alone, what the results cost over the engine (the second compute's extra
// time: writing them; the first's over the second: the fresh pages and
// anything else done once) and the memory the results took above the opened
// document. Then, in this process, the Compute repeated on the same document
// with and without its progress dialog.
//
// Under Wine without a window manager, closing the Working dialog of a window
// managed by Wine's X11 driver waits two seconds for a window manager to
// acknowledge it, which no desktop user meets: the program leaves its own
// windows unmanaged under Wine, whatever the prefix (see
// LeaveWindowsUnmanagedUnderWine).
//
// Also, for a twenty-segment slope with 51, 200 and 1,000 horizontal
// analysis locations: the engine alone, the first compute, the memory its
// results took (in the working set and committed) and the process's peak,
// and saving and opening the results (medians of five processes each); then
// the same with 100 rocks at 51 and 1,000 locations, where what is committed
// for locations that few rocks pass shows.
//
// Usage: bench_compute [document.cla ...]; without arguments the location
// series, then a benched slope built here (saved to a temporary file and
// opened like the user's) and the documents in the project's examples/
// folder. --locations: the series alone. --first doc.cla [rocks]: one
// measuring process. --save file.cla, --save-locations N
// file.cla: the benched slope, or the twenty-segment slope with N locations,
// saved for measuring by hand.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "model/DocumentDependencies.h"

#include "engine/Random.h"
#include "formats/DocumentFormats.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "model/RunSeeders.h"
#include "../support/BenchDocuments.h"

namespace
{
constexpr int ROCKS = 10000;
constexpr int ROUNDS = 5;
constexpr int FIRST_RUNS = 5;
constexpr unsigned SEED = 190274;

class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("Clastor Compute Bench") {}
};

int AnswerEveryBox(LPCSTR text, UINT)
{
    std::printf("  (message: %s)\n", text);
    return IDOK;
}

std::vector<std::string> ExampleDocuments()
{
    std::vector<std::string> out;
    const std::string dir = CLASTOR_SOURCE_DIR "/examples/";
    WIN32_FIND_DATAA found;
    HANDLE h = ::FindFirstFileA((dir + "*.cla").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return out;
    do
        out.push_back(dir + found.cFileName);
    while (::FindNextFileA(h, &found));
    ::FindClose(h);
    return out;
}

using bench::Seconds;

// The same rocks as the document's compute with the fixed seed: the same
// hand-over of the model (which takes the same random numbers) and the same
// samples from the seeders, with the engine's reports going nowhere.
double EngineAlone(CTalusimDoc& doc, int rocks = ROCKS)
{
    CTalusimDocEngine* engine = doc.GetEngine();
    SeedRandom(SEED);
    doc.ResetSeederProbability();
    engine->SetDocument(nullptr);
    doc.TransferSlopeToEngine();
    doc.TransferBarriersToEngine();
    doc.PrepareResults(TRUE);
    const CRunSeeders seeders(doc);
    const auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < rocks; ++k)
    {
        CVector2D p(0, 0), v(0, 0);
        double mass = 0.0, w = 0.0;
        doc.SampleRockStart(p, v, mass, w);
        if (!(mass >= 0.001))
            continue;
        engine->SetRockStart(p.x, p.y, v.x, v.y, mass, w);
        engine->Run();
    }
    const double t = Seconds(std::chrono::steady_clock::now() - start);
    engine->SetDocument(&doc);
    return t;
}

void PrepareForBench(CTalusimDoc& doc, int rocks = ROCKS)
{
    doc.ClearRockPaths();
    doc.m_nRandomMode = RANDOM_FIXED;
    doc.m_bGenerateSlopeSamples = false;
    doc.SetRockCount(rocks);
}

double TimedCompute(CTalusimDoc& doc, BOOL showProgress)
{
    const auto start = std::chrono::steady_clock::now();
    doc.RunSimulation(showProgress);
    return Seconds(std::chrono::steady_clock::now() - start);
}

int PieceCount(const CTalusimDoc& doc)
{
    int pieces = 0;
    for (int i = 0; i < doc.GetRockPathCount(); ++i)
        pieces += doc.GetRockPath(i)->GetSegmentUpperBound() + 1;
    return pieces;
}

// The child's work: open, compute once, then the engine alone on the same
// rocks. Prints one line the parent reads.
int FirstCompute(const char* path, int rocks)
{
    auto doc = std::make_unique<CTalusimDoc>();
    if (!doc->OnOpenDocument(path))
        return 1;
    PrepareForBench(*doc, rocks);
    const double before = bench::PrivateMB();
    const double committedBefore = bench::CommittedMB();
    const double first = TimedCompute(*doc, TRUE);
    const double taken = bench::PrivateMB() - before;
    // What the system charges against its commit limit: the process's after
    // the first compute, and the part of it the results took.
    const double committed = bench::CommittedMB();
    const int paths = doc->GetRockPathCount();
    const int pieces = PieceCount(*doc);
    // Cleared results keep their memory: the second compute writes the same
    // results into pages already touched.
    const double peak = bench::PeakMB();
    // The results as the user keeps them: saved, then opened again.
    const std::string saved = bench::TempPath("clastor-bench-first-saved.cla");
    auto start = std::chrono::steady_clock::now();
    const bool wrote = doc->OnSaveDocument(saved.c_str()) != FALSE;
    const double save = Seconds(std::chrono::steady_clock::now() - start);
    const double size = bench::FileMB(saved);
    double open = 0.0;
    {
        auto reopened = std::make_unique<CTalusimDoc>();
        start = std::chrono::steady_clock::now();
        const bool read = wrote && reopened->OnOpenDocument(saved.c_str());
        open = read ? Seconds(std::chrono::steady_clock::now() - start) : 0.0;
    }
    ::DeleteFileA(saved.c_str());
    doc->ClearRockPaths();
    const double again = TimedCompute(*doc, TRUE);
    doc->ClearRockPaths();
    double alone = EngineAlone(*doc, rocks);
    alone = std::min(alone, EngineAlone(*doc, rocks));
    std::printf("first %.6f again %.6f alone %.6f memory %.3f paths %d pieces %d peak %.3f save %.6f size %.3f "
                "open %.6f committed %.3f results %.3f\n",
                first, again, alone, taken, paths, pieces, peak, save, size, open, committed,
                committed - committedBefore);
    return 0;
}

struct FirstResult
{
    double first = 0, again = 0, alone = 0, memory = 0, peak = 0, save = 0, size = 0, open = 0;
    double committed = 0, resultsCommitted = 0;
    int paths = 0, pieces = 0;
    bool ok = false;
};

// Runs this program with --first on the document and reads its line.
FirstResult RunFirstCompute(const std::string& document, int rocks = ROCKS)
{
    FirstResult r;
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string out = bench::TempPath("clastor-bench-first.txt");
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE file = ::CreateFileA(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return r;
    std::string command =
        "\"" + std::string(exe) + "\" --first \"" + document + "\" " + std::to_string(rocks);
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = file;
    si.hStdError = file;
    PROCESS_INFORMATION pi{};
    const BOOL started =
        ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    ::CloseHandle(file);
    if (!started)
        return r;
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    if (FILE* f = std::fopen(out.c_str(), "r"))
    {
        char line[512];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line,
                            "first %lf again %lf alone %lf memory %lf paths %d pieces %d peak %lf save %lf size %lf "
                            "open %lf committed %lf results %lf",
                            &r.first, &r.again, &r.alone, &r.memory, &r.paths, &r.pieces, &r.peak, &r.save, &r.size,
                            &r.open, &r.committed, &r.resultsCommitted) == 12)
                r.ok = true;
        std::fclose(f);
    }
    ::DeleteFileA(out.c_str());
    return r;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

void BenchFirst(const std::string& name, const std::string& path)
{
    std::vector<double> first, again, alone, memory;
    FirstResult last;
    for (int k = 0; k < FIRST_RUNS; ++k)
    {
        const FirstResult r = RunFirstCompute(path);
        if (!r.ok)
        {
            std::printf("%s: the first compute could not be measured\n", name.c_str());
            return;
        }
        first.push_back(r.first);
        again.push_back(r.again);
        alone.push_back(r.alone);
        memory.push_back(r.memory);
        last = r;
    }
    const double f = Median(first), g = Median(again), a = Median(alone);
    std::printf("%s\n  first compute on a document just opened: ratio %.2f (%.3f s, engine alone %.3f s, "
                "median of %d processes)\n  over the engine: %.3f s writing the results (the same compute again "
                "in that process: %.3f s), %.3f s done once (fresh pages and the like)\n"
                "  %d rocks, %d paths, %.1f pieces a path, results %.1f MB above the opened document\n",
                name.c_str(), a > 0 ? f / a : 0.0, f, a, FIRST_RUNS, g - a, g, f - g, ROCKS, last.paths,
                last.paths ? static_cast<double>(last.pieces) / last.paths : 0.0, Median(memory));
}

// Computes repeated on one document, each from a document without results.
void BenchRepeated(const std::string& path)
{
    auto doc = std::make_unique<CTalusimDoc>();
    if (!doc->OnOpenDocument(path.c_str()))
        return;
    PrepareForBench(*doc);
    double whole = 1e30, quiet = 1e30, alone = 1e30;
    for (int round = 0; round < ROUNDS; ++round)
    {
        doc->ClearRockPaths();
        whole = std::min(whole, TimedCompute(*doc, TRUE));
        doc->ClearRockPaths();
        quiet = std::min(quiet, TimedCompute(*doc, FALSE));
        alone = std::min(alone, EngineAlone(*doc));
    }
    const auto ratio = [alone](double t) { return alone > 0 ? t / alone : 0.0; };
    std::printf("  compute again %.3f s, ratio %.2f (without progress %.3f s, ratio %.2f; best of %d)\n", whole,
                ratio(whole), quiet, ratio(quiet), ROUNDS);
}

// The medians of five first computes, one process each, on one document.
struct FirstMedians
{
    double first = 0, alone = 0, memory = 0, peak = 0, save = 0, size = 0, open = 0, committed = 0,
           resultsCommitted = 0;
    bool ok = false;
};

FirstMedians MeasureFirst(const std::string& path, int rocks)
{
    std::vector<double> first, alone, memory, peak, save, size, open, committed, resultsCommitted;
    for (int k = 0; k < FIRST_RUNS; ++k)
    {
        const FirstResult r = RunFirstCompute(path, rocks);
        if (!r.ok)
            return {};
        first.push_back(r.first);
        alone.push_back(r.alone);
        memory.push_back(r.memory);
        peak.push_back(r.peak);
        save.push_back(r.save);
        size.push_back(r.size);
        open.push_back(r.open);
        committed.push_back(r.committed);
        resultsCommitted.push_back(r.resultsCommitted);
    }
    return {Median(first), Median(alone),     Median(memory),    Median(peak),
            Median(save),  Median(size),      Median(open),      Median(committed),
            Median(resultsCommitted), true};
}

// The same twenty-segment slope and rocks with more and more horizontal
// analysis locations: the engine alone and the first compute should grow
// with the passages stored, not with the locations times the pieces; and the
// memory the system charges for the results (committed) with the passages
// too, not with the locations, which a few rocks show.
void BenchLocationSeries()
{
    std::printf("twenty-segment slope, by the number of rocks and analysis locations (medians of %d processes)\n",
                FIRST_RUNS);
    std::printf("  results MB: the working set the results took; committed MB: what the system charges for them\n"
                "  (PrivateUsage, or the private pages committed where the system reports none); process MB: the\n"
                "  whole process's charge after the first compute\n");
    std::printf("  %6s %9s %12s %14s %10s %12s %10s %9s %9s %9s %8s\n", "rocks", "locations", "engine alone",
                "first compute", "results MB", "committed MB", "process MB", "peak MiB", "save s", "saved MB",
                "open s");
    const std::pair<int, int> series[] = {{ROCKS, 51}, {ROCKS, 200}, {ROCKS, 1000}, {100, 51}, {100, 1000}};
    FirstMedians base;
    for (const auto& [rocks, locations] : series)
    {
        const std::string path = bench::TempPath("clastor-bench-locations.cla");
        std::unique_ptr<CTalusimDoc> doc(bench::BuildTwentySegmentDocument(rocks, locations));
        if (!doc->OnSaveDocument(path.c_str()))
        {
            std::printf("  %6d %9d: the document could not be saved\n", rocks, locations);
            continue;
        }
        const FirstMedians m = MeasureFirst(path, rocks);
        ::DeleteFileA(path.c_str());
        if (!m.ok)
        {
            std::printf("  %6d %9d: the first compute could not be measured\n", rocks, locations);
            continue;
        }
        if (rocks == ROCKS && locations == 51)
            base = m;
        std::printf("  %6d %9d %10.3f s %12.3f s %10.1f %12.1f %10.1f %9.1f %9.3f %9.1f %8.3f\n", rocks, locations,
                    m.alone, m.first, m.memory, m.resultsCommitted, m.committed, m.peak, m.save, m.size, m.open);
        if (rocks == ROCKS && locations != 51 && base.ok && base.alone > 0 && base.first > 0 && base.size > 0)
            std::printf("  %6s %9s over 51: engine alone %.2f, first compute %.2f, saved size %.2f\n", "", "",
                        m.alone / base.alone, m.first / base.first, m.size / base.size);
    }
}

void Bench(const std::string& name, const std::string& path)
{
    BenchFirst(name, path);
    BenchRepeated(path);
}
} // namespace

// Under Wine with its X11 driver managing windows and no window manager
// running (a bare X server), hiding a window with a caption waits two seconds
// for a window manager to confirm it: every first compute that shows the
// Working dialog then costs two seconds more, which no user meets on a
// desktop. Wine's per-program settings let this program leave its windows
// unmanaged whatever the prefix. Wine reads them when a process starts: they
// hold for the measuring processes this one starts.
// Elsewhere than under Wine nothing is changed.
void LeaveWindowsUnmanagedUnderWine()
{
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    if (ntdll == nullptr || ::GetProcAddress(ntdll, "wine_get_version") == nullptr)
        return;
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const char* name = std::strrchr(exe, '\\');
    name = name != nullptr ? name + 1 : exe;
    const std::string key = std::string("Software\\Wine\\AppDefaults\\") + name + "\\X11 Driver";
    HKEY h = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
        return;
    ::RegSetValueExA(h, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    ::RegCloseKey(h);
}

int main(int argc, char** argv)
{
    LeaveWindowsUnmanagedUnderWine();
    CBenchApp app;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW);
    AfxSetMessageBoxHook(&AnswerEveryBox);
    InstallDocumentFormats();
    // A main window, as the program has one, for the dialog to disable.
    CWnd main;
    main.Attach(::CreateWindowExA(0, "STATIC", "Clastor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                  nullptr, ::GetModuleHandleA(nullptr), nullptr));
    app.m_pMainWnd = &main;

    if ((argc == 3 || argc == 4) && std::string(argv[1]) == "--first")
    {
        const int rc = FirstCompute(argv[2], argc == 4 ? std::atoi(argv[3]) : ROCKS);
        app.m_pMainWnd = nullptr;
        ::DestroyWindow(main.Detach());
        return rc;
    }

    if (argc == 3 && std::string(argv[1]) == "--save")
    {
        // The built document, for measuring by hand.
        std::unique_ptr<CTalusimDoc> doc(bench::BuildBenchedSlopeDocument(ROCKS));
        const int rc = doc->OnSaveDocument(argv[2]) ? 0 : 1;
        app.m_pMainWnd = nullptr;
        ::DestroyWindow(main.Detach());
        return rc;
    }

    if (argc == 4 && std::string(argv[1]) == "--save-locations")
    {
        // The twenty-segment slope with the given number of locations, for measuring by hand.
        std::unique_ptr<CTalusimDoc> doc(bench::BuildTwentySegmentDocument(ROCKS, std::atoi(argv[2])));
        const int rc = doc->OnSaveDocument(argv[3]) ? 0 : 1;
        app.m_pMainWnd = nullptr;
        ::DestroyWindow(main.Detach());
        return rc;
    }

    if (argc == 2 && std::string(argv[1]) == "--locations")
    {
        BenchLocationSeries();
        app.m_pMainWnd = nullptr;
        ::DestroyWindow(main.Detach());
        return 0;
    }

    std::vector<std::string> documents;
    for (int i = 1; i < argc; ++i)
        documents.push_back(argv[i]);
    if (documents.empty())
    {
        BenchLocationSeries();
        const std::string built = bench::TempPath("clastor-bench-benched-slope.cla");
        std::unique_ptr<CTalusimDoc> doc(bench::BuildBenchedSlopeDocument(ROCKS));
        if (doc->OnSaveDocument(built.c_str()))
            Bench("benched slope (built)", built);
        ::DeleteFileA(built.c_str());
        documents = ExampleDocuments();
    }
    for (const std::string& d : documents)
        Bench(d, d);

    app.m_pMainWnd = nullptr;
    ::DestroyWindow(main.Detach());
    return 0;
}

