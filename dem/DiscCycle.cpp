// The time loop: contact pass, motion of balls and walls with centred
// differences and global damping, upkeep of the contact lists, and the
// outputs and frames chosen for the run.
#include "dem/Disc.h"

#include <chrono>
#include <cmath>

using namespace disc;

namespace {
constexpr double kTwoPi = 6.2831852;   // the angles are reduced by this, as they always were
using Clock = std::chrono::steady_clock;
constexpr auto kPumpInterval = std::chrono::milliseconds(100);
}

bool CDisc::Analyse(double timeStep, double endTime)
{
    if (!(timeStep > 0) || !std::isfinite(timeStep))
        return Fail("the time step must be a positive number");
    if (!std::isfinite(endTime))
        return Fail("the time of simulation end must be a number");
    m_dt = timeStep;
    m_endTime = endTime;
    Con().Print("\nGENERATING LISTS");
    if (!m_search.BuildAll(m_model))
        return Fail(m_search.Error());
    PairTwinWalls();
    Con().Print("\nSIMULATION STARTED");
    if (!Cycle())
        return false;
    Con().Print("\nSIMULATION COMPLETED");
    if (m_plotInterval >= 0 && m_plotMethod == 2)
        AppendOutball();
    if (m_statusInterval >= 0)
        StoreStatus();
    return true;
}

// Reports progress and keeps the window alive at every 15 % of simulated time
// and at least every tenth of a second; false once the user has cancelled.
bool CDisc::CheckCancel(long long step, long long totalSteps, int& lastPercent, bool atReport)
{
    const int percent = static_cast<int>(100 * m_time / m_endTime);
    const bool byPercent = percent > lastPercent + 15;
    const auto now = Clock::now();
    if (!byPercent && !(atReport && now - m_lastPump >= kPumpInterval))
        return true;
    m_lastPump = now;
    if (m_context.progress) {
        if (byPercent)
            lastPercent = percent;
        m_context.progress->SetSecondaryProgress(std::max(0, std::min(100, percent)),
                                                 static_cast<int>(std::min<long long>(step, 2147483647)),
                                                 static_cast<int>(std::min<long long>(totalSteps, 2147483647)));
        m_context.progress->PumpMessages();
    }
    return !(m_context.document && !m_context.document->IsDiscRunActive());
}

bool CDisc::Cycle()
{
    const int nb = m_model.Nb(), nw = m_model.Nw(), np = m_model.Np();
    m_previous.assign(nb + 1, PreviousState{});
    for (int i = 1; i <= nb; ++i) {
        const Ball& b = m_model.balls[i];
        m_previous[i] = PreviousState{b.X(), b.Y(), b.vx, b.vy};
    }
    m_movedBalls.clear();
    m_movedBalls.reserve(nb);
    m_movedWalls.clear();
    m_movedWalls.reserve(nw);
    m_wallAtBoxing.assign(nw + 1, WallLine());
    for (int w = 1; w <= nw; ++w)
        m_wallAtBoxing[w] = m_model.walls[w].Line();
    m_boundaryFx.assign(nb + 1, 0);
    m_boundaryFy.assign(nb + 1, 0);
    m_polygonForces.assign(np + 1, {});
    for (auto& records : m_polygonForces)
        records.reserve(1000);
    m_boundaryPoints.reserve(std::max(1000, nb + 4));
    m_boundaryBoxes.reserve(m_search.Grid().nx + m_search.Grid().ny + 1);
    m_wallWork.reserve(nw + 1);
    m_flag.assign(m_search.HighestNumber() + 1 + 16 * nb + 1024, 0);
    m_count = StepCounters{};
    m_framesStored = 0;
    m_vibrationIndex = 0;
    m_locationLast.assign(m_locationWalls.size(), 1e300);
    if (m_context.frameCounter)
        ++*m_context.frameCounter;   // the start frame
    if (m_plotInterval > 0 && m_plotMethod == 1)
        SendFrame(false);            // so that the document shows where the balls began

    const double remaining = (m_endTime - m_time) / m_dt;
    const long long totalSteps = remaining > 9e18 ? 9'000'000'000'000'000'000LL : static_cast<long long>(remaining);
    int lastPercent = static_cast<int>(100 * m_time / m_endTime);
    const bool watched = m_context.progress || m_context.document;
    long long step = 0;
    while (m_time < m_endTime) {
        if (watched && !CheckCancel(step, totalSteps, lastPercent, (step & 255) == 0)) {
            CloseOutputs();
            return false;   // cancelled: the balls stay where they are
        }
        ++step;
        m_time += m_dt;
        for (int* counter : {&m_count.notify, &m_count.status, &m_count.plot, &m_count.force, &m_count.info,
                             &m_count.location, &m_count.area, &m_count.stress, &m_count.polyInfo,
                             &m_count.polyForce})
            ++*counter;

        if (m_notify > 0 && m_count.notify >= m_notify) {
            Con().Print("Simulation time %12.4f", m_time);
            m_count.notify = 0;
        }
        m_areaDue = m_areaInterval > 0 && m_count.area >= m_areaInterval;
        if (m_areaDue)
            m_count.area = 0;
        ContactPass();
        if (!m_historyContacts.empty())
            WriteContactForces();
        if (m_forceInterval > 0 && m_count.force >= m_forceInterval) {
            for (int w : m_forceWalls) {
                Con().Print("\n%g %g", m_time, m_model.walls[w].fx);
                Con().Print("\n%g %g", m_time, m_model.walls[w].fy);
            }
            m_count.force = 0;
        }
        MoveBalls();
        if (np > 0) {
            PolygonStep();
            if (m_polyInfoInterval > 0 && m_count.polyInfo >= m_polyInfoInterval) {
                for (int p : m_infoPolygons) {
                    const Polygon& poly = m_model.polygons[p];
                    Con().Echo(m_polyInfoFile.get(), "\n%g", m_time);
                    for (int k : {3, 4, 5, 8, 9, 10})
                        Con().Echo(m_polyInfoFile.get(), "\n%g", const_cast<Polygon&>(poly).Value(k));
                }
                m_count.polyInfo = 0;
            }
            if (m_polyForceInterval > 0 && m_count.polyForce >= m_polyForceInterval) {
                for (int p : m_forcePolygons) {
                    Con().Echo(m_polyForceFile.get(), "\n %g %d", m_time, static_cast<int>(m_polygonForces[p].size()));
                    for (const PolygonForce& r : m_polygonForces[p])
                        Con().Echo(m_polyForceFile.get(), "\n%g\n%g\n%g\n%g\n%g\n%g\n%g", r.x, r.y, r.fx, r.fy, r.n, r.s,
                                    static_cast<double>(r.wall));
                }
                m_count.polyForce = 0;
            }
            for (auto& records : m_polygonForces)
                records.clear();
        }
        StressWallServo();
        for (int w = 1; w <= nw; ++w) {
            Wall& wall = m_model.walls[w];
            if (wall.IsVibrating()) {
                const double c = wall.k25 * std::cos(wall.k25 * m_time);
                wall.vx = wall.k23 * c;
                wall.vy = wall.k24 * c;
            }
        }
        MoveWalls();
        for (int i : m_movedBalls)
            if (!m_search.UpdateBall(m_model, i))
                return Fail(m_search.Error());
        for (int w : m_movedWalls)
            if (!m_search.UpdateWall(m_model, w))
                return Fail(m_search.Error());
        if (static_cast<int>(m_flag.size()) <= m_search.HighestNumber())
            m_flag.resize(m_search.HighestNumber() + 1 + 16 * nb + 1024);

        if (m_statusInterval > 0 && m_count.status >= m_statusInterval) {
            StoreStatus();
            m_count.status = 0;
        }
        if (m_plotInterval > 0 && m_count.plot >= m_plotInterval) {
            StoreFrame();
            m_count.plot = 0;
        }
        PeriodicOutputs();
    }
    EndOfRun();
    return true;
}

void CDisc::PeriodicOutputs()
{
    if (m_locationInterval > 0 && m_count.location >= m_locationInterval) {
        for (size_t k = 0; k < m_locationWalls.size(); ++k) {
            const double v = m_model.walls[m_locationWalls[k].first].Value(m_locationWalls[k].second);
            if (v != m_locationLast[k]) {
                m_locationLast[k] = v;
                Con().Echo(m_locationFile.get(), "\n%g %g", m_time, v);
            }
        }
        m_count.location = 0;
    }
    if (m_stressInterval > 0 && m_count.stress >= m_stressInterval) {
        for (const StressPoint& p : m_stressPoints) {
            double s[4];
            StressTensor(p.x, p.y, p.r, s);
            Con().Echo(m_stressFile.get(), "\n%g %g %g %g %g", m_time, s[0], s[1], s[2], s[3]);
        }
        m_count.stress = 0;
    }
    if (m_infoInterval > 0 && m_count.info >= m_infoInterval) {
        for (int prop : m_infoProps)
            Con().Print("%g %g\n", m_time, m_model.balls[m_infoBall].Prop(prop));
        m_count.info = 0;
    }
}

void CDisc::MoveBalls()
{
    m_movedBalls.clear();
    const double dt = m_dt;
    const double reach = 0.45 * m_model.dntol;
    for (int i = 1; i <= m_model.Nb(); ++i) {
        Ball& b = m_model.balls[i];
        const double a = m_model.gdampu * dt / (2 * b.mass);
        b.vx = ((1 - a) * b.vx + dt * b.ax) / (1 + a);
        b.vy = ((1 - a) * b.vy + dt * b.ay) / (1 + a);
        const double c = m_model.gdampt * dt / (2 * b.inertia);
        b.vtheta = ((1 - c) * b.vtheta + dt * b.atheta) / (1 + c);
        Accumulate(b.x, b.dx, dt * b.vx, m_model.tolU);
        Accumulate(b.y, b.dy, dt * b.vy, m_model.tolU);
        Accumulate(b.theta, b.dtheta, dt * b.vtheta, m_model.tolTheta);
        const double ex = b.X() - m_search.BoxedX(i), ey = b.Y() - m_search.BoxedY(i);
        if (!(ex * ex + ey * ey < reach * reach))   // a position gone to NaN is re-boxed and refused there
            m_movedBalls.push_back(i);
    }
}

void CDisc::MoveWalls()
{
    m_movedWalls.clear();
    const double dt = m_dt;
    double tableValue = 0;
    const size_t tableSize = m_model.vibration.size();
    if (tableSize > 0) {
        size_t k = m_vibrationIndex++;
        k = tableSize == static_cast<size_t>(kMaxVibrationValues) ? k % tableSize : std::min(k, tableSize - 1);
        tableValue = m_model.vibration[k];
    }
    for (int w = 1; w <= m_model.Nw(); ++w) {
        Wall& wall = m_model.walls[w];
        const int kind = wall.Kind();
        if (kind >= 20 && tableSize > 0 && kind <= 25)
            wall.Value(m_model.vibrationDirection) = tableValue;
        if (wall.vx == 0 && wall.vy == 0 && wall.vtheta == 0 && kind != 18 && kind < 20)
            continue;
        if (kind == 18) {
            const double phi = wall.k23, w18 = wall.k24, rho = wall.k25;
            const double mx = rho * (std::cos(phi + w18 * dt) - std::cos(phi));
            const double my = rho * (std::sin(phi + w18 * dt) - std::sin(phi));
            wall.vx = mx / dt;
            wall.vy = my / dt;
            wall.vtheta = w18;
            wall.k23 = phi + w18 * dt;
            if (wall.k23 >= kTwoPi)
                wall.k23 -= kTwoPi;
        }
        Accumulate(wall.xc, wall.dx, dt * wall.vx, m_model.tolU);
        Accumulate(wall.yc, wall.dy, dt * wall.vy, m_model.tolU);
        Accumulate(wall.thetac, wall.dtheta, dt * wall.vtheta, m_model.tolTheta);
        if (wall.thetac + wall.dtheta >= kTwoPi)
            wall.thetac -= kTwoPi;
        wall.UpdateGeometry();
        const WallLine& at = m_wallAtBoxing[w];
        const double ax = at.cx + at.d1 * at.cw, ay = at.cy + at.d1 * at.sw;
        const double bx = at.cx + at.d2 * at.cw, by = at.cy + at.d2 * at.sw;
        const double half = m_model.dntol / 2;
        if (!(std::hypot(wall.x1 - ax, wall.y1 - ay) < half && std::hypot(wall.x2 - bx, wall.y2 - by) < half)) {
            m_wallAtBoxing[w] = wall.Line();
            m_movedWalls.push_back(w);
        }
    }
}

void CDisc::StoreFrame()
{
    if (m_plotMethod == 1 || m_plotMethod == 3) {
        if (m_context.frameCounter)
            ++*m_context.frameCounter;
        WritePlotFrame(m_context.wallsInPlot != 0);   // only a plot file the user named is written
    }
    if (m_plotMethod == 2)
        AppendOutball();
    if (m_plotMethod != 1)
        return;
    ++m_framesStored;
    SendFrame(true);
}

// The balls' states to the document; a stored step also hands over each
// ball's move since the frame before.
void CDisc::SendFrame(bool step)
{
    IDiscDocument* doc = m_context.document;
    for (int i = 1; i <= m_model.Nb(); ++i) {
        const Ball& b = m_model.balls[i];
        if (doc) {
            DiscFrame f;
            f.time = m_time;
            f.ball = i + m_context.throwIndex;
            f.frame = m_context.frameStart + m_framesStored;
            f.x = b.X();
            f.y = b.Y();
            f.theta = b.Theta();
            f.radius = b.r;
            f.vx = b.vx;
            f.vy = b.vy;
            f.vtheta = b.vtheta;
            f.ax = b.ax;
            f.ay = b.ay;
            f.mass = b.mass;
            doc->AddDiscFrame(f);
            if (!step)
                continue;
            const PreviousState& p = m_previous[i];
            doc->RecordDiscStep(i, p.x, p.y, p.vx, p.vy, f.x, f.y, b.vx, b.vy, b.mass, b.vtheta);
        }
        m_previous[i] = PreviousState{b.X(), b.Y(), b.vx, b.vy};
    }
}

void CDisc::EndOfRun()
{
    CloseOutputs();
    m_context.frameTotal += m_framesStored;
    IDiscDocument* doc = m_context.document;
    if (!doc)
        return;
    doc->DiscFramesComplete();
    doc->ClearSettledDiscs();
    for (int i = 1; i <= m_model.Nb(); ++i) {
        const Ball& b = m_model.balls[i];
        double props[15];
        for (int k = 1; k <= 15; ++k)
            props[k - 1] = b.Prop(k);
        doc->AddSettledDisc(props);
        doc->RecordEndPoint(i, b.X(), b.Y());
    }
}
