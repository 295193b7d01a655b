// Saving and opening a document with results: 10,000 rocks computed on a
// 20-segment slope with one point seeder and a fixed seed (about 45 pieces a
// path), saved, and opened again as the user opens it. For each it prints
// the time, the file size, the rate in MB/s of document text and the memory
// the process took from the system while it ran (private bytes, sampled).
//
// Usage:
//   bench_document                 compute, save, open (in one process)
//   bench_document save FILE       compute and save to FILE
//   bench_document open FILE       open FILE only
// The two last ones let a whole-process timer measure each on its own.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cmath>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "model/DocumentDependencies.h"

#include "../support/PeakMemory.h"
#include "formats/DocumentFormats.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"

namespace
{
constexpr int ROCKS = 10000;
using bench::AnswerEveryBox;
using bench::CPeakMemory;
using bench::FileSize;
using bench::MB;

class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("Clastor Document Bench") {}
};

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// A talus slope of 20 segments, the default materials in turn, and one point
// seeder above the crest.
std::unique_ptr<CTalusimDoc> BuiltDocument()
{
    auto doc = std::make_unique<CTalusimDoc>();
    if (!doc->OnNewDocument())
        return nullptr;
    std::vector<CTalusimSlopeType*> materials =
        CollectAs<CTalusimSlopeType>(*doc->GetDatabase(), 20, KIND_MATERIAL, 21);
    if (materials.empty())
        return nullptr;
    // Segments of 22 m, at 46 and 32 degrees in turn: the rocks bounce all
    // the way down, about 45 pieces each.
    constexpr double kDegree = 3.14159265358979323846 / 180.0;
    double x = 0.0, y = 400.0;
    for (int i = 0; i <= 20; ++i)
    {
        doc->GetSlope()->AddVertexWithMaterial(x, y, materials[(i / 4) % materials.size()]);
        const double angle = (i % 2 == 0 ? 46.0 : 32.0) * kDegree;
        x += 22.0 * std::cos(angle);
        y -= 22.0 * std::sin(angle);
    }
    auto* s = new CTalusimRaker;
    s->AddPoint(-1, 402);
    s->SetGroupId(GROUP_POINT_SEEDER);
    s->SetCategoryId(CAT_PLACED);
    s->SetMass(1000.0, 200.0);
    s->SetVelocity(1.0, 0.0, 0.5, 0.5);
    s->SetAngularVelocity(0.0, 0.5);
    doc->GetDatabase()->AddEntity(s, false);
    doc->m_nRandomMode = RANDOM_FIXED;
    doc->m_bGenerateSlopeSamples = false;
    doc->SetRockCount(ROCKS);
    return doc;
}

int PieceCount(CTalusimDoc& doc)
{
    int pieces = 0;
    for (auto* p : CollectAs<CTalusimRockPath>(*doc.GetDatabase(), ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP))
        pieces += p->GetSegmentUpperBound() + 1;
    return pieces;
}

bool ComputeAndSave(const std::string& path)
{
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<CTalusimDoc> doc = BuiltDocument();
    if (!doc)
    {
        std::printf("the document could not be built\n");
        return false;
    }
    doc->RunSimulation(FALSE);
    const double compute = Seconds(std::chrono::steady_clock::now() - start);
    const int paths = doc->GetRockPathCount();
    std::printf("compute  %d rocks, %d paths, %.1f pieces a path, %.3f s\n", ROCKS, paths,
                paths ? double(PieceCount(*doc)) / paths : 0.0, compute);

    CPeakMemory memory;
    const auto t0 = std::chrono::steady_clock::now();
    const BOOL saved = doc->OnSaveDocument(path.c_str());
    const double t = Seconds(std::chrono::steady_clock::now() - t0);
    memory.Stop();
    const double size = FileSize(path) / MB;
    std::printf("save     %s %.3f s, %.1f MB, %.1f MB/s, document %.1f MB, peak %.1f MB above it\n",
                saved ? "" : "FAILED", t, size, t > 0 ? size / t : 0.0, memory.BeforeMB(), memory.PeakAboveMB());
    return saved != FALSE;
}

bool Open(const std::string& path)
{
    CPeakMemory memory;
    const auto t0 = std::chrono::steady_clock::now();
    auto doc = std::make_unique<CTalusimDoc>();
    const BOOL opened = doc->OnOpenDocument(path.c_str());
    const double t = Seconds(std::chrono::steady_clock::now() - t0);
    memory.Stop();
    const double size = FileSize(path) / MB;
    std::printf("open     %s %.3f s, %.1f MB, %.1f MB/s, %d paths, document %.1f MB, peak %.1f MB above "
                "the process before (%.1f MB)\n",
                opened ? "" : "FAILED", t, size, t > 0 ? size / t : 0.0, doc->GetRockPathCount(),
                memory.AfterAboveMB(), memory.PeakAboveMB(), memory.BeforeMB());
    return opened != FALSE;
}

std::string TemporaryPath()
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "clastor-document-bench.cla";
}
} // namespace

int main(int argc, char** argv)
{
    CBenchApp app;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW);
    AfxSetMessageBoxHook(&AnswerEveryBox);
    InstallDocumentFormats();

    const std::string mode = argc > 1 ? argv[1] : "";
    const std::string path = argc > 2 ? argv[2] : TemporaryPath();
    bool ok = true;
    if (mode == "save")
        ok = ComputeAndSave(path);
    else if (mode == "open")
        ok = Open(path);
    else
    {
        ok = ComputeAndSave(path) && Open(path);
        ::DeleteFileA(path.c_str());
    }
    return ok ? 0 : 1;
}
