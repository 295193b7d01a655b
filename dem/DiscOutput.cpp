// The files a run writes: plot frames, "outball.txt", the system status file
// and the contact-force history. Every file goes into the run's folder.
#include "dem/Disc.h"

using namespace disc;

std::FILE* CDisc::OpenOutput(const std::string& name, const char* mode)
{
    std::FILE* f = std::fopen(PathOf(name).c_str(), mode);
    if (!f)
        Con().Print("\nERROR, cannot open %s for writing", name.c_str());
    return f;
}

void CDisc::CloseOutputs()
{
    for (OutputFile* f : {&m_plotFile, &m_locationFile, &m_areaFile, &m_stressFile, &m_polyInfoFile, &m_polyForceFile})
        f->reset();
}

void CDisc::WritePlotFrame(bool withWalls)
{
    std::FILE* plot = m_plotFile.get();
    if (!plot)
        return;
    if (withWalls)
        for (int w = 1; w <= m_model.Nw(); ++w) {
            const Wall& wall = m_model.walls[w];
            std::fprintf(plot, "\n%10.3f %10.3f %10.3f %10.3f", wall.x1, wall.y1, wall.x2, wall.y2);
        }
    if (m_plotMethod == 1) {
        for (int i = 1; i <= m_model.Nb(); ++i) {
            const Ball& b = m_model.balls[i];
            std::fprintf(plot, "\n%10.3f %10.3f %10.3f %11.3f", b.X(), b.Y(), b.r, b.Theta());
        }
    } else {
        for (int i = 1; i <= m_model.Nb(); i += m_plotEvery)
            std::fprintf(plot, "\n%10.3f %10.3f", m_model.balls[i].X(), m_model.balls[i].Y());
    }
}

void CDisc::AppendOutball()
{
    std::FILE* f = OpenOutput("outball.txt", "a+");
    if (!f)
        return;
    for (int w = 1; w <= m_model.Nw(); ++w) {
        const Wall& wall = m_model.walls[w];
        std::fprintf(f, "\n%g %g %g %g", wall.x1, wall.y1, wall.x2, wall.y2);
    }
    for (int i = 1; i <= m_model.Nb(); ++i) {
        const Ball& b = m_model.balls[i];
        std::fprintf(f, "\n%g %g %g %g", b.X(), b.Y(), b.r, b.Theta());
    }
    std::fclose(f);
}

void CDisc::StoreStatus()
{
    Con().Print("\nStoring system status for time= %g", m_time);
    std::FILE* f = OpenOutput("junk", "w+");
    if (!f)
        return;
    const disc::Model& m = m_model;
    std::fprintf(f, "\n%g\n%s\n%g", 2.1, m.header.c_str(), m_time);
    std::fprintf(f, "\n%d %d %d %d %d %d", m.Nb(), m.Nw(), m.Nf(), m.Np(), static_cast<int>(m.vibration.size()),
                 m_search.HighestNumber());
    std::fprintf(f, "\n%s", m.ballFile.c_str());
    for (int i = 1; i <= m.Nb(); ++i)
        for (int k = 1; k <= 15; ++k)
            std::fprintf(f, "\n%.17g", m.balls[i].Prop(k));
    for (int w = 1; w <= m.Nw(); ++w) {
        const Wall& wall = m.walls[w];
        const int last = wall.HasKindValues() ? 25 : 22;
        for (int k = 1; k <= last; ++k)
            std::fprintf(f, "\n%.17g", wall.Value(k));
    }
    for (int k = 1; k <= m.Nf(); ++k)
        for (int v = 1; v <= 6; ++v)
            std::fprintf(f, "\n%g", const_cast<FlexibleWall&>(m.flexible[k]).Value(v));
    for (int p = 1; p <= m.Np(); ++p) {
        Polygon& poly = const_cast<Polygon&>(m.polygons[p]);
        for (int v = 1; v <= 10; ++v)
            std::fprintf(f, "\n%.17g", poly.Value(v));
        std::fprintf(f, "\n%d", static_cast<int>(poly.walls.size()));
        for (int w : poly.walls)
            std::fprintf(f, "\n%d", w);
    }
    // Positions at the last boxing, x then y.
    for (int i = 1; i <= m.Nb(); ++i)
        std::fprintf(f, "\n%.17g", m_search.BoxedX(i));
    for (int i = 1; i <= m.Nb(); ++i)
        std::fprintf(f, "\n%.17g", m_search.BoxedY(i));
    const SlotLists& lists = m_search.Contacts();
    for (int i = 1; i <= m.Nb(); ++i)
        for (int n = lists.First(i); n; n = lists.Next(n))
            std::fprintf(f, "\n%d %d %d", i, lists.Body(n), lists.Number(n));
    std::fprintf(f, "\n%g %g %g %g", m_dt, m_endTime, m_search.Grid().xdim, m_search.Grid().ydim);
    std::fprintf(f, "\n%d %d", static_cast<int>(m_movedBalls.size()), static_cast<int>(m_movedWalls.size()));
    for (int i : m_movedBalls)
        std::fprintf(f, "\n%d", i);
    for (int w : m_movedWalls)
        std::fprintf(f, "\n%d", w);
    auto props = [f](const ContactProps& p) {
        ContactProps& q = const_cast<ContactProps&>(p);
        for (int k = 1; k <= 7; ++k)
            std::fprintf(f, "\n%g", q.Value(k));
    };
    props(m.ballBall);
    for (int w = 1; w <= m.Nw(); ++w)
        props(m.rigid[w]);
    for (int kind = 1; kind <= kMaxWallKind; ++kind)
        if (m.kindPresent[kind]) {
            Con().Print("\nwriting other wall contact props");
            props(m.kindProps[kind]);
        }
    std::fprintf(f, "\n%g %g\n%g %g\n%g %g", m.gdampu, m.gdampt, m.dntol, m.gravity, m.tolU, m.tolTheta);
    const bool failed = std::ferror(f) != 0;
    if (std::fclose(f) != 0 || failed)
        Con().Print("\nERROR, the system status could not be written");
    Con().Print("\nFinished storing system status for time=%g", m_time);
}

void CDisc::WriteContactForces()
{
    const SlotLists& lists = m_search.Contacts();
    int tag = 15;
    for (auto [a, b] : m_historyContacts) {
        ++tag;
        if (a < 0)
            std::swap(a, b);
        int number = 0;
        if (a > 0 && a <= m_model.Nb())
            for (int n = lists.First(a); n; n = lists.Next(n))
                if (lists.Body(n) == b)
                    number = lists.Number(n);
        const ContactState* st = number ? &m_search.State(number) : nullptr;
        if (st && st->fn > 0)
            Con().Print("\n%d %20.10f %25.15f %25.15f", tag, m_time, st->fn + st->dn, st->fs + st->ds);
        else
            Con().Print("\n%d %8.4f %8.4f %8.4f contact does not exist", tag, 0.0, 0.0, 0.0);
    }
}
