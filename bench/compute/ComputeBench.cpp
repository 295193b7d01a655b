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
// Under Wine without a window manager, run it in a prefix whose X11 driver
// does not manage windows (scripts/common.sh prepares its prefix so): in
// managed mode closing the Working dialog waits two seconds for a window
// manager to acknowledge it, which no desktop user meets.
//
// Usage: bench_compute [document.cla ...] (or --save file.cla: the built document); without arguments a benched slope
// built here (saved to a temporary file and opened like the user's)
// and the documents in the project's examples/ folder.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <cstdio>
#include <string>
#include <vector>

#include "model/DocumentDependencies.h"

#include "engine/Random.h"
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
double EngineAlone(CTalusimDoc& doc)
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
    for (int k = 0; k < ROCKS; ++k)
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

void PrepareForBench(CTalusimDoc& doc)
{
    doc.ClearRockPaths();
    doc.m_nRandomMode = RANDOM_FIXED;
    doc.m_bGenerateSlopeSamples = false;
    doc.SetRockCount(ROCKS);
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
int FirstCompute(const char* path)
{
    auto doc = std::make_unique<CTalusimDoc>();
    if (!doc->OnOpenDocument(path))
        return 1;
    PrepareForBench(*doc);
    const double before = bench::PrivateMB();
    const double first = TimedCompute(*doc, TRUE);
    const double taken = bench::PrivateMB() - before;
    const int paths = doc->GetRockPathCount();
    const int pieces = PieceCount(*doc);
    // Cleared results keep their memory: the second compute writes the same
    // results into pages already touched.
    doc->ClearRockPaths();
    const double again = TimedCompute(*doc, TRUE);
    doc->ClearRockPaths();
    double alone = EngineAlone(*doc);
    alone = std::min(alone, EngineAlone(*doc));
    std::printf("first %.6f again %.6f alone %.6f memory %.3f paths %d pieces %d\n", first, again, alone, taken,
                paths, pieces);
    return 0;
}

struct FirstResult
{
    double first = 0, again = 0, alone = 0, memory = 0;
    int paths = 0, pieces = 0;
    bool ok = false;
};

// Runs this program with --first on the document and reads its line.
FirstResult RunFirstCompute(const std::string& document)
{
    FirstResult r;
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string out = bench::TempPath("clastor-bench-first.txt");
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE file = ::CreateFileA(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return r;
    std::string command = "\"" + std::string(exe) + "\" --first \"" + document + "\"";
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
            if (std::sscanf(line, "first %lf again %lf alone %lf memory %lf paths %d pieces %d", &r.first, &r.again,
                            &r.alone, &r.memory, &r.paths, &r.pieces) == 6)
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

void Bench(const std::string& name, const std::string& path)
{
    BenchFirst(name, path);
    BenchRepeated(path);
}
} // namespace

int main(int argc, char** argv)
{
    CBenchApp app;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW);
    AfxSetMessageBoxHook(&AnswerEveryBox);
    // A main window, as the program has one, for the dialog to disable.
    CWnd main;
    main.Attach(::CreateWindowExA(0, "STATIC", "Clastor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                  nullptr, ::GetModuleHandleA(nullptr), nullptr));
    app.m_pMainWnd = &main;

    if (argc == 3 && std::string(argv[1]) == "--first")
    {
        const int rc = FirstCompute(argv[2]);
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

    std::vector<std::string> documents;
    for (int i = 1; i < argc; ++i)
        documents.push_back(argv[i]);
    if (documents.empty())
    {
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

