// The cost of a computation around the engine: 10,000 rocks on each example
// document through the document's Compute (with its progress dialog), then
// the same rocks through the engine alone, and the ratio of the two times.
//
// Usage: bench_compute [document.cla ...]; without arguments the documents in
// the project's examples/ folder.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#if __has_include("model/DocumentDependencies.h")
#include "model/DocumentDependencies.h"
#endif

#ifdef CLASTOR_DOCUMENT_BUILT

#include "engine/Random.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"

namespace
{
constexpr int ROCKS = 10000;
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

void Bench(const std::string& path)
{
    auto* doc = new CTalusimDoc;
    if (!doc->OnOpenDocument(path.c_str()))
    {
        std::printf("%s: could not be opened\n", path.c_str());
        delete doc;
        return;
    }
    doc->ClearRockPaths();
    doc->m_nRandomMode = RANDOM_FIXED;
    doc->m_bGenerateSlopeSamples = false;
    doc->SetRockCount(ROCKS);

    const auto start = std::chrono::steady_clock::now();
    doc->RunSimulation(TRUE);
    const double whole = Seconds(std::chrono::steady_clock::now() - start);
    const int paths = doc->GetRockPathCount();

    const double alone = EngineAlone(*doc);
    std::printf("%s\n  %d rocks, %d paths: compute %.3f s, engine alone %.3f s, ratio %.2f\n", path.c_str(), ROCKS,
                paths, whole, alone, alone > 0 ? whole / alone : 0.0);
    doc->OnCloseDocument();
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
    if (documents.empty())
        std::printf("no documents: pass .cla files or add them to examples/\n");
    for (const std::string& d : documents)
        Bench(d);

    app.m_pMainWnd = nullptr;
    ::DestroyWindow(main.Detach());
    return 0;
}

#else

int main()
{
    std::printf("bench_compute needs the document, which is not built yet\n");
    return 0;
}

#endif
