// Reading a case: the case file, its ball file and the vibrating-wall table.
// Every count is held to the program's limits and every value to what the
// program can compute with before anything is sized from it; a damaged file
// is refused with a message that names the file and what was wrong.
#include "dem/Disc.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace disc;

// The whitespace-separated values of a text file, with its first line apart.
class DiscCaseTokens {
public:
    bool Open(const std::string& path, const std::string& name)
    {
        m_name = name;
        std::ifstream file(path, std::ios::binary);
        if (!file)
            return false;
        std::ostringstream text;
        text << file.rdbuf();
        m_text = text.str();
        return true;
    }
    bool Empty() const { return m_text.find_first_not_of(" \t\r\n") == std::string::npos; }
    std::string Header()
    {
        const size_t end = m_text.find('\n');
        std::string line = m_text.substr(0, end);
        m_pos = end == std::string::npos ? m_text.size() : end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (line.size() > static_cast<size_t>(kHeaderLength))
            line.resize(kHeaderLength);
        return line;
    }
    bool Word(std::string& word)
    {
        while (m_pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_pos])))
            ++m_pos;
        if (m_pos >= m_text.size())
            return false;
        const size_t start = m_pos;
        while (m_pos < m_text.size() && !std::isspace(static_cast<unsigned char>(m_text[m_pos])))
            ++m_pos;
        word.assign(m_text, start, m_pos - start);
        return true;
    }
    // A real; false with m_problem set when the file ends or holds no number.
    bool Real(const char* what, double& value)
    {
        std::string word;
        if (!Word(word)) {
            m_problem = m_name + " ends before the " + what;
            return false;
        }
        char* end = nullptr;
        errno = 0;
        value = std::strtod(word.c_str(), &end);
        if (end == word.c_str() || *end != 0 || errno == ERANGE || !std::isfinite(value)) {
            m_problem = m_name + ": \"" + word.substr(0, 40) + "\" is not a number (" + what + ")";
            return false;
        }
        return true;
    }
    // A whole number from lo to hi.
    bool Count(const char* what, int& value, int lo, int hi)
    {
        double v = 0;
        if (!Real(what, v))
            return false;
        if (v != std::floor(v) || v < lo || v > hi) {
            std::ostringstream s;
            s << m_name << ": the " << what << " " << v << " is not a whole number from " << lo << " to " << hi;
            m_problem = s.str();
            return false;
        }
        value = static_cast<int>(v);
        return true;
    }
    bool AtEnd()
    {
        std::string word;
        const size_t keep = m_pos;
        const bool more = Word(word);
        m_pos = keep;
        return !more;
    }
    const std::string& Problem() const { return m_problem; }
    std::string m_problem;

private:
    std::string m_name, m_text;
    size_t m_pos = 0;
};

std::string CDisc::PathOf(const std::string& name) const
{
    if (m_context.folder.empty() || std::filesystem::path(name).is_absolute())
        return name;
    return (std::filesystem::path(m_context.folder) / name).string();
}

bool CDisc::Fail(const std::string& message)
{
    m_context.error = message;
    Con().Print("\nERROR, %s", message.c_str());
    return false;
}

static bool ReadProps(DiscCaseTokens& in, ContactProps& p, const char* what)
{
    for (int k = 1; k <= 7; ++k) {
        if (!in.Real(what, p.Value(k)))
            return false;
        if (p.Value(k) < 0) {
            in.m_problem = std::string("the ") + what + " hold a negative value";
            return false;
        }
    }
    return true;
}

bool CDisc::ReadWalls(DiscCaseTokens& in)
{
    int nw = 0;
    if (!in.Count("number of walls", nw, 0, kMaxWalls))
        return false;
    Con().Print("\nreading info for %d walls", nw);
    m_model.walls.assign(nw + 1, Wall());
    for (int w = 1; w <= nw; ++w) {
        Wall& wall = m_model.walls[w];
        for (int k = 1; k <= 9; ++k)
            if (!in.Real("wall lines", wall.Value(k)))
                return false;
        int kind = 0;
        if (!in.Count("wall kind", kind, 0, kMaxWallKind))
            return false;
        wall.kind = kind;
        if (wall.side != 1 && wall.side != -1) {
            in.m_problem = "wall " + std::to_string(w) + " has a contact side other than 1 or -1";
            return false;
        }
        if (wall.HasKindValues() && (!in.Real("wall kind values", wall.k23) || !in.Real("wall kind values", wall.k25)))
            return false;
        wall.UpdateGeometry();
    }
    Con().Print("\nfinished reading info for %d walls", nw);
    return true;
}

bool CDisc::ReadCase(const std::string& name)
{
    m_caseRead = false;
    m_model.Clear();
    m_context.error.clear();
    DiscCaseTokens in;
    if (name.empty())
        return Fail("no case file was named");
    if (!in.Open(PathOf(name), name))
        return Fail("cannot open the case file " + name);
    if (in.Empty())
        return Fail("the case file " + name + " is empty");
    auto broken = [&] {
        const std::string problem = in.Problem();
        m_model.Clear();
        return Fail(problem);
    };

    m_model.header = in.Header();
    int nb = 0;
    if (!in.Real("start time", m_model.startTime) || !in.Count("number of balls", nb, 1, kMaxBalls))
        return broken();
    Con().Print("finished reading no. of balls. nb=%d", nb);
    if (!in.Word(m_model.ballFile)) {
        in.m_problem = name + " ends before the ball file's name";
        return broken();
    }
    if (m_model.ballFile.size() > static_cast<size_t>(kNameLength))
        m_model.ballFile.resize(kNameLength);
    Con().Print("\nfinished reading filename for binfo");

    // The balls
    DiscCaseTokens balls;
    if (!balls.Open(PathOf(m_model.ballFile), m_model.ballFile)) {
        const std::string ballFile = m_model.ballFile;
        m_model.Clear();
        return Fail("cannot open the ball file " + ballFile);
    }
    m_model.balls.assign(nb + 1, Ball());
    for (int i = 1; i <= nb; ++i) {
        Ball& b = m_model.balls[i];
        for (int k = 1; k <= 15; ++k)
            if (!balls.Real("ball values", b.Prop(k))) {
                if (balls.AtEnd())
                    balls.m_problem = m_model.ballFile + " holds " + std::to_string(i - 1) + " balls, the case " +
                                      std::to_string(nb);
                in.m_problem = balls.Problem();
                return broken();
            }
        if (!(b.r > 0 && b.mass > 0 && b.inertia > 0)) {
            in.m_problem = "ball " + std::to_string(i) + " needs a positive radius, mass and inertia";
            return broken();
        }
    }
    Con().Print("\nfinished reading info for %d balls", nb);

    if (!ReadWalls(in))
        return broken();
    const int nw = m_model.Nw();

    int nf = 0;
    if (!in.Count("number of flexible walls", nf, 0, kMaxFlexibleWalls))
        return broken();
    Con().Print("\nnumber of flexible wall = %d", nf);
    m_model.flexible.assign(nf + 1, FlexibleWall());
    for (int f = 1; f <= nf; ++f) {
        FlexibleWall& fw = m_model.flexible[f];
        for (int k = 1; k <= 6; ++k)
            if (!in.Real("flexible walls", fw.Value(k)))
                return broken();
        const bool wallsExist = fw.startWall >= 1 && fw.startWall <= nw && fw.endWall >= 1 && fw.endWall <= nw &&
                                fw.startWall == std::floor(fw.startWall) && fw.endWall == std::floor(fw.endWall);
        if ((fw.kind != 0 && fw.kind != 1) || (fw.side != 1 && fw.side != -1) || !(fw.spacing > 0) || !wallsExist) {
            in.m_problem = "flexible wall " + std::to_string(f) +
                           " needs kind 0 or 1, side 1 or -1, a positive spacing and existing walls";
            return broken();
        }
    }
    Con().Print("\nfinished reading info for %d flexible boundaries", nf);

    int np = 0;
    if (!in.Count("number of polygons", np, 0, kMaxPolygons))
        return broken();
    Con().Print("\nreading properties for %d polygon(s)", np);
    m_model.polygons.assign(np + 1, Polygon());
    for (int p = 1; p <= np; ++p) {
        Polygon& poly = m_model.polygons[p];
        for (int k = 1; k <= 10; ++k)
            if (!in.Real("polygons", poly.Value(k)))
                return broken();
        if (!(poly.mass > 0 && poly.inertia > 0)) {
            in.m_problem = "polygon " + std::to_string(p) + " needs a positive mass and inertia";
            return broken();
        }
        int count = 0;
        if (!in.Count("number of polygon walls", count, 0, nw))
            return broken();
        poly.walls.resize(count);
        for (int& w : poly.walls)
            if (!in.Count("polygon wall number", w, 1, nw))
                return broken();
    }
    m_model.IndexPolygons();

    if (!ReadProps(in, m_model.ballBall, "ball-ball contact properties"))
        return broken();
    Con().Print("\nread ball-ball contact properties");
    m_model.rigid.assign(nw + 1, ContactProps());
    for (int w = 1; w <= nw; ++w)
        if (!ReadProps(in, m_model.rigid[w], "ball-rigid wall contact properties"))
            return broken();
    Con().Print("\nread ball-rigid wall contact properties");
    for (int w = 1; w <= nw; ++w) {
        const int kind = m_model.walls[w].Kind();
        if (kind == 0 || m_model.kindPresent[kind])
            continue;
        if (!ReadProps(in, m_model.kindProps[kind], "other wall contact properties"))
            return broken();
        m_model.kindPresent[kind] = true;
        Con().Print("\nread other wall contact props");
    }

    if (!in.Real("global damping", m_model.gdampu) || !in.Real("global damping", m_model.gdampt))
        return broken();
    Con().Print("\nread global damping for u and theta");
    if (!in.Real("contact tolerance", m_model.dntol) || !in.Real("gravity", m_model.gravity))
        return broken();
    Con().Print("\nread normal disp. tolerance dntol and gravity");
    Con().Print("\ndntol =%g gravity =%g", m_model.dntol, m_model.gravity);
    if (!in.Real("accumulator tolerances", m_model.tolU) || !in.Real("accumulator tolerances", m_model.tolTheta))
        return broken();
    Con().Print("\nread accumulator delta u and theta tolerance");
    if (m_model.gdampu < 0 || m_model.gdampt < 0 || m_model.dntol < 0 || m_model.tolU < 0 || m_model.tolTheta < 0) {
        in.m_problem = "damping, contact tolerance and accumulator tolerances must not be negative";
        return broken();
    }

    bool vibrating = false;
    for (int w = 1; w <= nw; ++w)
        vibrating = vibrating || m_model.walls[w].IsTableDriven();
    if (vibrating && !ReadVibrationTable()) {
        m_model.Clear();
        return false;
    }

    Con().Print("\nfinished reading %s", name.c_str());
    m_search.SetupGrid(m_model);
    m_time = m_model.startTime;
    m_caseRead = true;
    return true;
}

// The table is named on the console in either mode: the automatic run reads
// no menu answers, but a case with table-driven walls still asks for its
// table, and the run's console (its input stream) answers.
bool CDisc::ReadVibrationTable()
{
    std::string name;
    Con().Print("\nenter vibrating wall data file name");
    if (!Con().ReadWord(name, kNameLength))
        return Fail("no vibrating wall data file was named");
    int direction = 0;
    while (direction < 4 || direction > 6) {
        Con().Print("enter vibration direction (x=4,y=5,th=6)");
        if (!Con().ReadInt(direction))
            return Fail("no vibration direction was given");
    }
    m_model.vibrationDirection = direction;
    DiscCaseTokens in;
    if (!in.Open(PathOf(name), name))
        return Fail("cannot open the vibrating wall data file " + name);
    double v = 0;
    m_model.vibration.clear();
    while (static_cast<int>(m_model.vibration.size()) < kMaxVibrationValues && !in.AtEnd()) {
        if (!in.Real("vibration values", v))
            return Fail(in.Problem());
        m_model.vibration.push_back(v);
    }
    if (m_model.vibration.empty())
        return Fail("the vibrating wall data file " + name + " holds no values");
    return true;
}
