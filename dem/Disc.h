// CDisc: a two-dimensional discrete-element program for disks ("balls")
// among straight walls. It reads a case from text files, finds contacts on a
// box grid, computes spring-dashpot contact forces with a Coulomb limit and
// steps the motion with centred differences. A console of one-letter menus
// drives it; the automatic mode runs one analysis of the case "wr" in the
// run's folder and hands every stored frame to the document.
#pragma once

#include "dem/DiscConsole.h"
#include "dem/DiscContacts.h"
#include "dem/DiscModel.h"
#include "dem/DiscRunContext.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class CDisc {
public:
    CDisc();
    ~CDisc();
    CDisc(const CDisc&) = delete;
    CDisc& operator=(const CDisc&) = delete;

    // Runs the program on m_context: the console until the user quits, or one
    // analysis in the automatic mode. False when the run stopped on an error
    // (m_context.error says why) or was cancelled.
    bool Run();

    CDiscRunContext m_context;

    // ---- pieces a caller or a test may drive directly ----------------------
    // Reads a case (file name relative to the run's folder) and sets up the
    // box grid; false with a message when the case is missing or damaged.
    bool ReadCase(const std::string& name);
    // The two largest stable time steps; stores the smaller in m_context.timeStep.
    double EstimateTimeStep(bool print);
    // Builds the lists and runs the cycle from the present time to endTime.
    bool Analyse(double timeStep, double endTime);
    // One step of the contact pass (forces and accelerations of every ball).
    void ContactPass();
    disc::Model& Model() { return m_model; }
    disc::ContactSearch& Search() { return m_search; }
    double Time() const { return m_time; }
    void SetStorage(int method, int interval) { m_plotMethod = method; m_plotInterval = interval; }

    // Helpers of the force law and the measurements, open for tests.
    struct ForceResult { double fn, fs, dn, ds, n, s; bool sliding; };
    static ForceResult ForceLaw(const disc::ContactProps& p, double overlap, double vn, double vs, double dt,
                                double storedShear);
    static double LensTerm(double bx, double by, double rb, double cx, double cy, double radius);
    void StressTensor(double x0, double y0, double radius, double out[4]) const;
    // Servo speed of a stress wall towards its target stress.
    static double ServoSpeed(double target, double measured, double gain);
    bool StepStable(double step, int entry) const;

private:
    // console and menus
    void Banner();
    void MainMenu(char& choice);
    void CaseRetrievalMenu();
    void InputAlterationMenu();
    void MaterialMenu();
    void ContactPropertiesMenu(disc::ContactProps& props, int shown, bool question);
    void TimeMenu();
    void DataStorageMenu();
    void NotificationMenu();
    void PrintStepCount();
    bool ReadInterval(const char* question, int& value);
    bool ReadWallList(std::vector<int>& walls, const char* countQuestion, const char* listQuestion);
    bool ReadPolygonList(std::vector<int>& polygons, const char* fileQuestion, const char* intervalQuestion,
                         int& interval, std::string& fileName);

    // case files
    bool Fail(const std::string& message);
    bool ReadWalls(class DiscCaseTokens& in);
    bool ReadVibrationTable();
    std::string PathOf(const std::string& name) const;

    // output files
    std::FILE* OpenOutput(const std::string& name, const char* mode);
    // The measurement files stay open while a run goes on; they are closed
    // when its cycle ends or the run returns.
    void CloseOutputs();
    void WritePlotFrame(bool withWalls);
    void AppendOutball();
    void StoreStatus();
    void WriteContactForces();

    // time stepping
    bool Cycle();
    bool CheckCancel(long long step, long long totalSteps, int& lastPercent, bool atReport);
    void MoveBalls();
    void MoveWalls();
    void StoreFrame();
    void SendFrame(bool step);
    void PeriodicOutputs();
    void EndOfRun();

    // forces
    void BallForces(int i);
    void WallContact(int i, int w, int contact, double& fx, double& fy, double& moment, double& roll);
    void ApplyWallForce(int i, int w, int contact, double nx, double ny, double overlap, double wallVn,
                        double& fx, double& fy, double& moment, double& roll);
    void RecordWallForce(int w, double p, double q, double bx, double by, double n, double s);
    // Pairs the walls that lie on one line facing away from each other (a
    // barrier's two faces); 0 for a wall that has no such twin.
    void PairTwinWalls();
    bool TwinHolds(int w) const;

    // boundaries, polygons, servo
    void FlexibleBoundaryStep(bool areaDue);
    double FlexibleBoundary(const disc::FlexibleWall& f, bool areaDue);
    void PolygonStep();
    void StressWallServo();

    disc::Model m_model;
    disc::ContactSearch m_search;
    std::unique_ptr<CDiscConsole> m_console;
    CDiscConsole& Con();

    bool m_caseRead = false, m_dtSet = false, m_endSet = false;
    double m_time = 0, m_dt = 0.0003, m_endTime = 0;
    int m_notify = 0;

    // outputs chosen in the data storage menu (-1: none)
    int m_statusInterval = -1;
    std::string m_statusSuffix;
    int m_plotInterval = -1, m_plotMethod = 0, m_plotEvery = 1;
    struct FileCloser { void operator()(std::FILE* f) const { if (f) std::fclose(f); } };
    using OutputFile = std::unique_ptr<std::FILE, FileCloser>;
    OutputFile m_plotFile;
    // Wall locations, ball area, stress tensors and the polygon outputs are
    // printed and also written to the files named for them.
    OutputFile m_locationFile, m_areaFile, m_stressFile, m_polyInfoFile, m_polyForceFile;
    std::vector<int> m_forceWalls;
    int m_forceInterval = -1;
    int m_infoBall = 0, m_infoInterval = -1;
    std::vector<int> m_infoProps;
    std::vector<std::pair<int, int>> m_historyContacts;
    std::vector<std::pair<int, int>> m_locationWalls;
    std::vector<double> m_locationLast;
    int m_locationInterval = -1;
    int m_areaInterval = -1;
    struct StressPoint { double x, y, r; };
    std::vector<StressPoint> m_stressPoints;
    int m_stressInterval = -1;
    std::vector<int> m_infoPolygons, m_forcePolygons;
    int m_polyInfoInterval = -1, m_polyForceInterval = -1;

    // state of one analysis
    struct StepCounters { int notify, status, plot, force, info, location, area, stress, polyInfo, polyForce; };
    StepCounters m_count{};
    std::chrono::steady_clock::time_point m_lastPump;
    struct PreviousState { double x, y, vx, vy; };
    std::vector<PreviousState> m_previous;
    std::vector<int> m_movedBalls, m_movedWalls;
    std::vector<disc::WallLine> m_wallAtBoxing;
    std::vector<double> m_boundaryFx, m_boundaryFy;
    std::vector<std::vector<disc::PolygonForce>> m_polygonForces;
    std::vector<unsigned char> m_flag;    // per contact number in the present pass
    std::vector<int> m_wallWork;          // wall contacts of one ball
    std::vector<int> m_twin;              // per wall, its twin facing the other way, or 0
    struct BoundaryPoint { int ball; double along, across; };
    std::vector<BoundaryPoint> m_boundaryPoints;
    std::vector<int> m_boundaryBoxes;
    size_t m_vibrationIndex = 0;
    int m_framesStored = 0;
    bool m_areaDue = false;
};
