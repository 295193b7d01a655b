// The run record of the disk program and the two seams through which a run
// reaches the outside world: the progress dialog and the document. The disk
// program knows no window; whoever runs it implements these interfaces.
#pragma once

#include <iosfwd>
#include <string>

// One stored frame of one ball, handed to the document for the results entity.
struct DiscFrame {
    int ball = 0;      // ball number plus the run's throw index
    int frame = 0;     // the run's frame start plus the frames stored so far (0: the start)
    double time = 0;   // simulated time, seconds (a case written by the document starts at 0)
    double x = 0, y = 0, theta = 0, radius = 0;
    double vx = 0, vy = 0, vtheta = 0;
    double ax = 0, ay = 0;
    double mass = 0;
};

// The progress dialog as the disk program sees it.
class IDiscProgress {
public:
    virtual ~IDiscProgress() = default;
    virtual void SetSecondaryProgress(int percent, int step, int totalSteps) = 0;
    // Dispatches pending window messages so that the window stays alive.
    virtual void PumpMessages() = 0;
};

// The document as the disk program sees it.
class IDiscDocument {
public:
    virtual ~IDiscDocument() = default;
    // False once the user has cancelled the run.
    virtual bool IsDiscRunActive() = 0;
    virtual void AddDiscFrame(const DiscFrame& frame) = 0;
    // Ball numbers are the run's own, 1 to the number of balls, in the order
    // of the ball file.
    virtual void RecordDiscStep(int ball, double x0, double y0, double vx0, double vy0, double x1, double y1,
                                double vx1, double vy1, double mass, double angularVelocity) = 0;
    virtual void DiscFramesComplete() = 0;
    // At the end of a completed run: the settled list is emptied, then every
    // ball hands its fifteen properties (x .. dtheta) and its end point.
    virtual void ClearSettledDiscs() = 0;
    virtual void AddSettledDisc(const double properties[15]) = 0;
    virtual void RecordEndPoint(int ball, double x, double y) = 0;
};

class CDiscRunContext {
public:
    CDiscRunContext();
    // Back to the defaults; the caller keeps frameTotal across throws itself.
    void Reset();

    int frameTotal = 0;
    unsigned char interactive = 1;
    unsigned char wallsInPlot = 0;
    IDiscProgress* progress = nullptr;
    double endTime = 0;
    double timeStep = 0.01;
    int plotInterval = 30;
    int frameStart = 0;
    int* frameCounter = nullptr;
    IDiscDocument* document = nullptr;
    int throwIndex = 0;
    double timeStepDivisor = 1.0;

    // Where the run's files live: the case and ball files are read from it and
    // every output file is written into it. Empty means the current directory
    // (the console user names the files); a document gives each run its own.
    std::string folder;
    // The console: standard input and output unless a caller redirects them.
    std::istream* in = nullptr;
    std::ostream* out = nullptr;
    // Why the last run stopped early, empty when it did not.
    std::string error;
};

// A new empty folder under the system's temporary folder for one run's files;
// an empty string when none could be made.
std::string CreateDiscRunFolder();
