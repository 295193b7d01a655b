// Throw Discs at scale: the cliff example (examples/cliff-and-talus.cla, one
// point seeder, independent discs, 4 s each) thrown with a given number of
// rocks, saved, and opened again. For each it prints the time, the memory the
// process took from the system (private bytes, sampled), the states kept for
// the player and the size of the saved file.
//
// Usage:
//   bench_discs ROCKS               throw, save, open (in one process)
//   bench_discs throw ROCKS FILE    throw and save to FILE
//   bench_discs open FILE           open FILE only
// The two last ones let a whole-process timer measure each on its own.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "discs/DiscEnt.h"
#include "discs/DiscServices.h"
#include "discs/ThrowDiscs.h"
#include "../support/PeakMemory.h"
#include "formats/DocumentFormats.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "model/DocumentDependencies.h"

namespace {

using bench::AnswerEveryBox;
using bench::CPeakMemory;
using bench::FileSize;
using bench::MB;

class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("Clastor Disc Bench") {}
};

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

void PrintResults(const char* what, CTalusimDoc& doc)
{
    auto* results = dynamic_cast<CDiscEnt*>(doc.GetDiscEntity());
    int pieces = 0;
    for (auto* p : CollectAs<CTalusimRockPath>(*doc.GetDatabase(), ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP))
        pieces += p->GetSegmentUpperBound() + 1;
    std::printf("%s  %d tracks, %zu states, %d frames of %.5f s, %d end points, %.1f pieces a path\n", what,
                results ? results->GetTrackCount() - 1 : 0, results ? results->GetStateCount() : 0,
                doc.GetDiscParameters().GetFrameCount(), results ? results->GetFrameSeconds() : 0.0,
                doc.GetEndPointCount(), doc.GetRockPathCount() ? double(pieces) / doc.GetRockPathCount() : 0.0);
}

bool ThrowAndSave(int rocks, const std::string& path)
{
    CPeakMemory memory;
    auto doc = std::make_unique<CTalusimDoc>();
    if (!doc->OnOpenDocument(CLASTOR_SOURCE_DIR "/examples/cliff-and-talus.cla")) {
        std::printf("the example could not be opened\n");
        return false;
    }
    doc->m_nRandomMode = RANDOM_FIXED;
    doc->SetRockCount(rocks);
    doc->GetDiscParameters().SetIndependent(true);
    const auto t0 = std::chrono::steady_clock::now();
    std::string error;
    const bool thrown = ThrowDiscs(doc.get(), &error);
    const double t = Seconds(std::chrono::steady_clock::now() - t0);
    std::printf("throw    %d rocks %s%s %.1f s, peak %.1f MB so far\n", rocks, thrown ? "" : "FAILED: ",
                error.c_str(), t, (memory.Stop(), memory.PeakMB()));
    if (!thrown)
        return false;
    PrintResults("results", *doc);
    CPeakMemory saving;
    const auto t1 = std::chrono::steady_clock::now();
    const BOOL saved = doc->OnSaveDocument(path.c_str());
    const double ts = Seconds(std::chrono::steady_clock::now() - t1);
    saving.Stop();
    std::printf("save     %s %.1f s, %.1f MB, peak %.1f MB\n", saved ? "" : "FAILED", ts, FileSize(path) / MB,
                std::max(memory.PeakMB(), saving.PeakMB()));
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
    std::printf("open     %s %.1f s, %.1f MB, peak %.1f MB\n", opened ? "" : "FAILED", t, FileSize(path) / MB,
                memory.PeakMB());
    if (opened)
        PrintResults("opened ", *doc);
    return opened != FALSE;
}

std::string TemporaryPath()
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "clastor-disc-bench.cla";
}

}  // namespace

int main(int argc, char** argv)
{
    CBenchApp app;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW);
    AfxSetMessageBoxHook(&AnswerEveryBox);
    InstallDocumentFormats();
    InstallDiscServices();

    const std::string mode = argc > 1 ? argv[1] : "100";
    bool ok = true;
    if (mode == "throw" && argc > 3) {
        ok = ThrowAndSave(std::atoi(argv[2]), argv[3]);
    } else if (mode == "open" && argc > 2) {
        ok = Open(argv[2]);
    } else {
        const std::string path = TemporaryPath();
        ok = ThrowAndSave(std::max(1, std::atoi(mode.c_str())), path) && Open(path);
        ::DeleteFileA(path.c_str());
    }
    return ok ? 0 : 1;
}
