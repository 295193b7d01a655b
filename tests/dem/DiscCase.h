// Cases of the disk program written by the tests: a builder of the case and
// ball files in a folder of their own, and a document that records what a
// run hands it.
#pragma once

#include "dem/Disc.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct DiscWallSpec {
    double xc = 0, yc = 0, theta = 0, vx = 0, vy = 0, vtheta = 0, d1 = 0, d2 = 1, side = 1, kind = 0;
    double extra1 = 0, extra2 = 0;
};

struct DiscCaseBuilder {
    std::string header = "test case";
    double startTime = 0;
    std::vector<std::array<double, 15>> balls;
    std::vector<DiscWallSpec> walls;
    std::array<double, 7> ballBall{1e6, 0, 0, 0, 0, 0, 0};
    std::array<double, 7> wallProps{1e6, 0, 0, 0, 0, 0, 0};
    std::array<double, 7> kindProps{1e6, 0, 0, 0, 0, 0, 0};
    std::string flexible = "0";
    std::string polygons = "0";
    double gdampu = 0, gdampt = 0, dntol = 0.01, gravity = 0, tolU = 1e-3, tolTheta = 1e-3;

    // A ball of radius r and mass m (inertia of a uniform disk) at (x, y).
    void Ball(double x, double y, double r, double m, double vx = 0, double vy = 0, double inertia = -1)
    {
        balls.push_back({x, y, r, 0, vx, vy, 0, 0, 0, 0, m, inertia < 0 ? 0.5 * m * r * r : inertia, 0, 0, 0});
    }
    // A rigid wall from (x1, y1) to (x2, y2), touched on its left (side 1).
    void Wall(double x1, double y1, double x2, double y2, double side = 1)
    {
        DiscWallSpec w;
        w.xc = x1;
        w.yc = y1;
        w.theta = std::atan2(y2 - y1, x2 - x1);
        w.d1 = 0;
        w.d2 = std::hypot(x2 - x1, y2 - y1);
        w.side = side;
        walls.push_back(w);
    }
    static std::string Props(const std::array<double, 7>& p)
    {
        std::ostringstream s;
        s.precision(17);
        for (double v : p)
            s << "\n" << v;
        return s.str();
    }
    std::string CaseText() const
    {
        std::ostringstream s;
        s.precision(17);
        s << header << "\n" << startTime << "\n" << balls.size() << "\nballs.dsc\n" << walls.size();
        std::vector<int> kinds;
        for (const DiscWallSpec& w : walls) {
            s << "\n" << w.xc << " " << w.yc << " " << w.theta << " " << w.vx << " " << w.vy << " " << w.vtheta << " "
              << w.d1 << " " << w.d2 << " " << w.side << " " << w.kind;
            const int k = static_cast<int>(w.kind);
            if ((k >= 1 && k <= 9) || k == 18)
                s << " " << w.extra1 << " " << w.extra2;
        }
        s << "\n" << flexible << "\n" << polygons << Props(ballBall);
        for (size_t k = 0; k < walls.size(); ++k)
            s << Props(wallProps);
        for (const DiscWallSpec& w : walls) {
            const int k = static_cast<int>(w.kind);
            if (k > 0 && std::find(kinds.begin(), kinds.end(), k) == kinds.end()) {
                kinds.push_back(k);
                s << Props(kindProps);
            }
        }
        s << "\n" << gdampu << " " << gdampt << "\n" << dntol << " " << gravity << "\n" << tolU << " " << tolTheta
          << "\n";
        return s.str();
    }
    std::string BallText() const
    {
        std::ostringstream s;
        s.precision(17);
        for (const auto& b : balls) {
            s << "\n";
            for (double v : b)
                s << v << " ";
        }
        return s.str();
    }
    void Write(const std::string& folder, const std::string& caseName = "case") const
    {
        WriteText(folder, caseName, CaseText());
        WriteText(folder, "balls.dsc", BallText());
    }
    static void WriteText(const std::string& folder, const std::string& name, const std::string& text)
    {
        std::ofstream f(std::filesystem::path(folder) / name, std::ios::binary);
        f << text;
    }
};

// A folder of one test's files, removed afterwards.
class DiscFolder {
public:
    DiscFolder() : m_path(CreateDiscRunFolder()) {}
    ~DiscFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::string& Path() const { return m_path; }
    std::string Read(const std::string& name) const
    {
        std::ifstream f(std::filesystem::path(m_path) / name, std::ios::binary);
        std::ostringstream s;
        s << f.rdbuf();
        std::string text = s.str();   // written in text mode: line breaks as the system writes them
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        return text;
    }
    bool Has(const std::string& name) const { return std::filesystem::exists(std::filesystem::path(m_path) / name); }

private:
    std::string m_path;
};

// Records every frame and end point a run hands to its document.
class RecordingDiscDocument : public IDiscDocument {
public:
    bool active = true;
    int activeCalls = 0;
    int cancelAfterCalls = -1;
    std::vector<DiscFrame> frames;
    int steps = 0, completes = 0;
    std::vector<std::array<double, 15>> settled;
    std::vector<std::pair<double, double>> endPoints;
    std::vector<int> endBalls;

    bool IsDiscRunActive() override
    {
        ++activeCalls;
        if (cancelAfterCalls >= 0 && activeCalls > cancelAfterCalls)
            active = false;
        return active;
    }
    void AddDiscFrame(const DiscFrame& f) override { frames.push_back(f); }
    void RecordDiscStep(int, double, double, double, double, double, double, double, double, double, double) override
    {
        ++steps;
    }
    void DiscFramesComplete() override { ++completes; }
    void ClearSettledDiscs() override { settled.clear(); }
    void AddSettledDisc(const double p[15]) override
    {
        std::array<double, 15> a;
        std::copy(p, p + 15, a.begin());
        settled.push_back(a);
    }
    void RecordEndPoint(int ball, double x, double y) override
    {
        endBalls.push_back(ball);
        endPoints.emplace_back(x, y);
    }
};

// A disk program whose console writes into a string, with a case loaded.
struct LoadedDisc {
    DiscFolder folder;
    std::ostringstream out;
    std::istringstream in;
    CDisc disc;
    bool loaded = false;

    explicit LoadedDisc(const DiscCaseBuilder& c)
    {
        disc.m_context.folder = folder.Path();
        disc.m_context.out = &out;
        disc.m_context.in = &in;
        c.Write(folder.Path());
        loaded = disc.ReadCase("case");
    }
};
