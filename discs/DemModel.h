// CDemModel: a small discrete-element model. Disks (or spheres) move among
// fixed walls under gravity and pairwise spring contacts; every stored step
// goes to a disc results entity that the slope view draws and the player
// replays.
#pragma once

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "discs/DemElements.h"

class CDiscEnt;

class CDemModel
{
public:
    // A run never stores more states than this in all (and one more frame,
    // the end): longer runs store every k-th step.
    static constexpr size_t kMaxStoredStates = 500000;

    CDemModel() = default;
    CDemModel(const CDemModel&) = delete;
    CDemModel& operator=(const CDemModel&) = delete;

    void AddDisk(double x, double y, double radius, double mass, double vx, double vy, double angularVelocity);
    void AddSphere(double x, double y, double z, double radius, double mass, double vx, double vy, double vz,
                   double w1, double w2, double w3);
    void AddWall(double x1, double y1, double x2, double y2);
    // Reads the faces of a geometry file as loaded walls; they take no part in
    // the run. False when the file can't be opened or ends early.
    bool ReadGeometry(const std::string& path);
    void SetTiming(double timeStep, double endTime);
    void SetGravity(bool on) { m_bGravityOn = on; }
    // Metres, kilograms and seconds (the default), or feet, pounds and
    // seconds: gravity and the least contact stiffness follow, as Compute's do.
    void SetUnits(bool metric);
    double GetGravity() const { return m_dGravity; }
    // Called now and then with the percent done; false cancels the run.
    void SetProgress(std::function<bool(int percent)> progress) { m_progress = std::move(progress); }
    // Runs to the end time; false when cancelled.
    bool Run();

    // Steps done by the last run, and the frames stored (states per element):
    // the state at the start of every k-th step, and the state at the end.
    int GetStepCount() const { return m_nStepCount; }
    // The steps a run takes: the end time in whole steps, counted rather than
    // summed so that none repeats or is skipped.
    long long GetTotalSteps() const
    {
        if (!(m_dTimeStep > 0.0) || !std::isfinite(m_dTimeStep) || !std::isfinite(m_dEndTime) || !(m_dEndTime > 0.0))
            return 0;
        const double wanted = std::ceil(m_dEndTime / m_dTimeStep - 1e-9);
        return wanted > 1e9 ? 1000000000LL : static_cast<long long>(wanted);
    }
    int GetFrameCount() const { return m_nFrameCount; }
    // The stride between stored steps of the last run.
    int GetStoreEvery() const { return m_nStoreEvery; }
    // How many smaller steps the last run took for each of its steps, so that
    // its stiffest contact was followed stably.
    int GetSubsteps() const { return m_nSubsteps; }

    int GetElementCount() const { return static_cast<int>(m_elements.size()); }
    CDemElement& GetElement(int i) { return *m_elements[static_cast<size_t>(i)]; }
    int GetLoadedWallCount() const { return static_cast<int>(m_loadedWalls.size()); }

    CDiscEnt* m_pResults = nullptr;

private:
    void Record(int frame);
    void ComputeForces(int frame);
    void PrepareContacts();

    double m_dTime = 0.0;
    double m_dTimeStep = 0.01;
    double m_dEndTime = 0.0;
    int m_nStepCount = 0;
    bool m_bGravityOn = true;
    double m_dGravity = -9.81;
    double m_dLeastStiffness = CDemElement::kStiffness;
    std::vector<std::unique_ptr<CDemElement>> m_elements;
    std::vector<std::unique_ptr<CDemLoadedWall>> m_loadedWalls;
    std::vector<DemForce> m_forces;
    std::function<bool(int)> m_progress;
    int m_nFrameCount = 0;
    int m_nStoreEvery = 1;
    int m_nSubsteps = 1;
};
