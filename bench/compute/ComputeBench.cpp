// The cost of a computation around the engine: 10,000 rocks on each example
// document through the document's Compute (with its progress dialog), then
// the same rocks through the engine alone, and the ratio of the two times.
//
// Usage: bench_compute [document.cla ...]; without arguments the documents in
// the project's examples/ folder, or, while it has none, two documents built
// here like them: a cliff over a talus slope with one point seeder, and a
// slope with a line seeder, a barrier and two collectors.
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

namespace
{
constexpr int ROCKS = 10000;
constexpr int ROUNDS = 15;
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

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

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

CTalusimRaker* AddSeeder(CTalusimDoc& doc, std::initializer_list<std::pair<double, double>> points)
{
    auto* s = new CTalusimRaker;
    for (const auto& p : points)
        s->AddPoint(p.first, p.second);
    s->SetGroupId(points.size() == 1 ? GROUP_POINT_SEEDER : GROUP_LINE_SEEDER);
    s->SetCategoryId(CAT_PLACED);
    s->SetMass(1000.0, 200.0);
    s->SetVelocity(1.0, 0.0, 0.5, 0.5);
    s->SetAngularVelocity(0.0, 0.5);
    doc.GetDatabase()->AddEntity(s, false);
    return s;
}

void AddLine(CTalusimDoc& doc, double x1, double y1, double x2, double y2, bool collector, const char* name)
{
    auto* b = new CTalusimBarrier;
    b->SetPoints(x1, y1, x2, y2);
    b->SetGroupId(collector ? GROUP_COLLECTOR : GROUP_BARRIER);
    b->SetCategoryId(CAT_PLACED);
    b->SetSkipLengthCheck(collector);
    b->SetName(name);
    doc.GetDatabase()->AddEntity(b, false);
}

// The two kinds of example, built with the default materials.
CTalusimDoc* BuiltDocument(int which)
{
    auto* doc = new CTalusimDoc;
    if (!doc->OnNewDocument())
        return doc;
    std::vector<CTalusimSlopeType*> materials =
        CollectAs<CTalusimSlopeType>(*doc->GetDatabase(), 20, KIND_MATERIAL, 21);
    CTalusimSlope* slope = doc->GetSlope();
    if (which == 0)
    {
        const double v[][2] = {{0, 120}, {10, 118}, {14, 70}, {18, 40}, {30, 30}, {60, 18}, {100, 8}, {160, 0}};
        for (size_t i = 0; i < std::size(v); ++i)
            slope->AddVertexWithMaterial(v[i][0], v[i][1], materials[i % materials.size()]);
        AddSeeder(*doc, {{4, 122}});
    }
    else
    {
        const double v[][2] = {{0, 80}, {20, 70}, {40, 50}, {60, 42}, {90, 25}, {120, 18}, {150, 10}, {200, 0}};
        for (size_t i = 0; i < std::size(v); ++i)
            slope->AddVertexWithMaterial(v[i][0], v[i][1], materials[(i + 2) % materials.size()]);
        AddSeeder(*doc, {{2, 82}, {18, 72}});
        AddLine(*doc, 100, 23, 100, 28, false, "Fence");
        AddLine(*doc, 70, 36, 70, 60, true, "Upper collector");
        AddLine(*doc, 140, 12, 140, 40, true, "Lower collector");
    }
    return doc;
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

// makeDocument gives a new document as the user opens it, or null.
void Bench(const std::string& name, const std::function<CTalusimDoc*()>& makeDocument)
{
    std::unique_ptr<CTalusimDoc> doc(makeDocument());
    if (!doc)
    {
        std::printf("%s: could not be opened\n", name.c_str());
        return;
    }
    PrepareForBench(*doc);

    // The machine may be busy with other work: the best of a few runs of
    // each is the one that tells what the work itself costs. Every compute
    // starts from a document without results. The first compute on a
    // document just opened also takes its memory from the system; later ones
    // reuse what the cleared results kept.
    double whole = 1e30, quiet = 1e30, alone = 1e30, first = 1e30;
    for (int round = 0; round < ROUNDS; ++round)
    {
        std::unique_ptr<CTalusimDoc> opened(makeDocument());
        PrepareForBench(*opened);
        first = std::min(first, TimedCompute(*opened, TRUE));
        opened.reset();

        doc->ClearRockPaths();
        whole = std::min(whole, TimedCompute(*doc, TRUE));
        doc->ClearRockPaths();
        quiet = std::min(quiet, TimedCompute(*doc, FALSE));
        alone = std::min(alone, EngineAlone(*doc));
    }
    const auto ratio = [alone](double t) { return alone > 0 ? t / alone : 0.0; };
    std::printf("%s\n  %d rocks (%d paths kept), engine alone %.3f s\n"
                "  first compute on the opened document %.3f s, ratio %.2f\n"
                "  compute again %.3f s, ratio %.2f (without progress %.3f s, ratio %.2f)\n",
                name.c_str(), ROCKS, doc->GetRockPathCount(), alone, first, ratio(first), whole, ratio(whole), quiet,
                ratio(quiet));
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

    std::vector<std::string> documents;
    for (int i = 1; i < argc; ++i)
        documents.push_back(argv[i]);
    if (documents.empty())
        documents = ExampleDocuments();
    for (const std::string& d : documents)
    {
        Bench(d, [&d]() -> CTalusimDoc* {
            auto doc = std::make_unique<CTalusimDoc>();
            return doc->OnOpenDocument(d.c_str()) ? doc.release() : nullptr;
        });
    }
    if (documents.empty())
    {
        Bench("talus slope under a cliff (built)", [] { return BuiltDocument(0); });
        Bench("line seeder, barrier and two collectors (built)", [] { return BuiltDocument(1); });
    }

    app.m_pMainWnd = nullptr;
    ::DestroyWindow(main.Detach());
    return 0;
}

