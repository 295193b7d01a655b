#include "dem/DiscContacts.h"

#include <algorithm>
#include <cmath>

namespace disc {

int BoxGrid::Column(double x) const
{
    const double c = std::floor((x - x0) / xdim);
    return c < 0 ? 0 : c >= nx ? nx - 1 : static_cast<int>(c);   // NaN lands in column 0
}

int BoxGrid::Row(double y) const
{
    const double r = std::floor((y - y0) / ydim);
    return r < 0 ? 0 : r >= ny ? ny - 1 : static_cast<int>(r);
}

int ContactSearch::MaxBoxes(int balls)
{
    return std::max(65536, 16 * balls);
}

void ContactSearch::SetupGrid(const Model& m)
{
    const double rmax = m.LargestRadius();
    const double tol = m.dntol / 2;
    double lox = 1e300, loy = 1e300, hix = -1e300, hiy = -1e300;
    auto take = [&](double x, double y, double r) {
        lox = std::min(lox, x - r);
        hix = std::max(hix, x + r);
        loy = std::min(loy, y - r);
        hiy = std::max(hiy, y + r);
    };
    for (int i = 1; i <= m.Nb(); ++i)
        take(m.balls[i].X(), m.balls[i].Y(), m.balls[i].r);
    for (int w = 1; w <= m.Nw(); ++w) {
        take(m.walls[w].x1, m.walls[w].y1, 0);
        take(m.walls[w].x2, m.walls[w].y2, 0);
    }
    const double margin = 3 * (tol + rmax);
    const double side = 2 * (rmax + tol);
    m_grid.x0 = lox - margin;
    m_grid.y0 = loy - margin;
    const double width = hix - lox + 2 * margin, height = hiy - loy + 2 * margin;
    double nx = std::max(1.0, std::floor(width / side));
    double ny = std::max(1.0, std::floor(height / side));
    const double cap = MaxBoxes(m.Nb());
    if (nx * ny > cap) {
        // Far-flung coordinates: fewer, larger boxes rather than millions.
        const double f = std::sqrt(nx * ny / cap);
        nx = std::max(1.0, std::floor(nx / f));
        ny = std::max(1.0, std::floor(ny / f));
        while (nx * ny > cap)
            (nx > ny ? nx : ny) -= 1;
    }
    m_grid.nx = static_cast<int>(nx);
    m_grid.ny = static_cast<int>(ny);
    m_grid.xdim = width / nx;
    m_grid.ydim = height / ny;
}

void ContactSearch::ResizeGrid(double width, double height)
{
    m_grid.nx = std::max(1, static_cast<int>(width / m_grid.xdim + 1));
    m_grid.ny = std::max(1, static_cast<int>(height / m_grid.ydim + 1));
}

int ContactSearch::CellRange(double x, double y, double r, double tol, int out[4]) const
{
    const double e = r + tol;
    const int c0 = m_grid.Column(x - e), c1 = m_grid.Column(x + e);
    const int r0 = m_grid.Row(y - e), r1 = m_grid.Row(y + e);
    int n = 0;
    // Boxes are at least 2 (r + tol) wide, so the corners name every box touched.
    for (int row = r0; row <= r1 && row <= r0 + 1; ++row)
        for (int col = c0; col <= c1 && col <= c0 + 1; ++col)
            out[n++] = m_grid.Box(col, row);
    return n;
}

void ContactSearch::WallBoxes(const WallLine& w, std::vector<int>& out) const
{
    out.clear();
    const double e = std::max(m_dntol, 1e-9 * (m_grid.xdim + m_grid.ydim));
    const double ax = w.cx + w.d1 * w.cw, ay = w.cy + w.d1 * w.sw;
    const double bx = w.cx + w.d2 * w.cw, by = w.cy + w.d2 * w.sw;
    const int c0 = m_grid.Column(std::min(ax, bx) - e), c1 = m_grid.Column(std::max(ax, bx) + e);
    for (int col = c0; col <= c1; ++col) {
        // The part of the wall within this column (widened), then its rows.
        double ya = ay, yb = by;
        if (ax != bx) {
            const double lo = m_grid.x0 + col * m_grid.xdim - e, hi = lo + m_grid.xdim + 2 * e;
            double t0 = (lo - ax) / (bx - ax), t1 = (hi - ax) / (bx - ax);
            if (t0 > t1)
                std::swap(t0, t1);
            t0 = std::max(t0, 0.0);
            t1 = std::min(t1, 1.0);
            if (col > c0 && col < c1 && t0 > t1)
                continue;
            t0 = std::min(t0, 1.0);
            t1 = std::max(t1, 0.0);
            ya = ay + t0 * (by - ay);
            yb = ay + t1 * (by - ay);
        }
        const int r0 = m_grid.Row(std::min(ya, yb) - e), r1 = m_grid.Row(std::max(ya, yb) + e);
        for (int row = r0; row <= r1; ++row)
            out.push_back(m_grid.Box(col, row));
    }
}

bool ContactSearch::BallCandidate(const Model& m, int i, int j) const
{
    const double dx = m_bx[j] - m_bx[i], dy = m_by[j] - m_by[i];
    const double reach = m.balls[i].r + m.balls[j].r + m_dntol;
    return dx * dx + dy * dy <= reach * reach;
}

bool ContactSearch::WallCandidate(const Model& m, int i, int w) const
{
    return WallOverlap(m_wallBoxed[w], m_bx[i], m_by[i], m.balls[i].r) >= -m_dntol;
}

bool ContactSearch::Fail(const char* message)
{
    if (m_error.empty())
        m_error = message;
    return false;
}

bool ContactSearch::BuildAll(const Model& m)
{
    m_nb = m.Nb();
    m_nw = m.Nw();
    m_dntol = m.dntol;
    m_error.clear();
    m_bx.assign(m_nb + 1, 0);
    m_by.assign(m_nb + 1, 0);
    m_wallBoxed.assign(m_nw + 1, WallLine());
    m_mark.assign(m_nb + m_nw + 1, 0);
    m_stamp = 0;

    // Box lists: every ball takes up to four nodes, a wall one per box crossed;
    // a wall that moves may cross more later.
    size_t wallNodes = 0;
    int moving = 0;
    for (int w = 1; w <= m_nw; ++w) {
        m_wallBoxed[w] = m.walls[w].Line();
        WallBoxes(m_wallBoxed[w], m_newBoxes);
        wallNodes += m_newBoxes.size();
        const Wall& wall = m.walls[w];
        if (wall.Kind() != 0 || wall.vx != 0 || wall.vy != 0 || wall.vtheta != 0 || m.PolygonOfWall(w))
            ++moving;
    }
    const size_t perWall = 4 * static_cast<size_t>(m_grid.nx + m_grid.ny) + 16;
    const size_t boxNodes = 4 * static_cast<size_t>(m_nb) + 2 * wallNodes + moving * perWall + 1024;
    const size_t contactNodes = 16 * static_cast<size_t>(m_nb) + 4 * static_cast<size_t>(m_nw) + 1024;
    if (boxNodes > 50'000'000 || contactNodes > 50'000'000)
        return Fail("the model needs more list space than the program can give it");
    m_boxes.Reset(2, m_grid.Count(), static_cast<int>(boxNodes));
    m_contacts.Reset(3, m_nb, static_cast<int>(contactNodes));
    const int numbers = static_cast<int>(contactNodes) + m_nb;
    m_numbers.Reset(1, 1, numbers + 1);
    m_state.assign(numbers + 2, ContactState());
    m_candidates.clear();
    m_candidates.reserve(boxNodes);
    m_work.clear();
    m_work.reserve(contactNodes);
    m_oldBoxes.reserve(m_grid.Count() + 16);
    m_newBoxes.reserve(m_grid.Count() + 16);

    for (int w = 1; w <= m_nw; ++w) {
        WallBoxes(m_wallBoxed[w], m_newBoxes);
        for (int k : m_newBoxes)
            if (!m_boxes.Insert(k, -w))
                return Fail("the box lists are full");
    }
    const double tol = m_dntol / 2;
    for (int i = 1; i <= m_nb; ++i) {
        m_bx[i] = m.balls[i].X();
        m_by[i] = m.balls[i].Y();
        if (!std::isfinite(m_bx[i]) || !std::isfinite(m_by[i]))
            return Fail("a ball's position is not a number");
        int cells[4];
        const int n = CellRange(m_bx[i], m_by[i], m.balls[i].r, tol, cells);
        for (int k = 0; k < n; ++k)
            if (!m_boxes.Insert(cells[k], i))
                return Fail("the box lists are full");
    }
    for (int i = 1; i <= m_nb; ++i) {
        int cells[4];
        const int n = CellRange(m_bx[i], m_by[i], m.balls[i].r, tol, cells);
        if (!Gather(m, i, cells, n))
            return false;
        for (int body : m_candidates)
            if (!m_contacts.Contains(i, body) && !Link(i, body))
                return false;
    }
    return true;
}

// Collects in m_candidates the bodies of the boxes that pass the gap test
// with ball i, each once. Marks: stamp for a body seen, stamp + 1 for a
// candidate (UpdateBall turns it into stamp + 2 once found in the list).
bool ContactSearch::Gather(const Model& m, int i, const int* boxes, int count)
{
    m_stamp += 3;
    m_candidates.clear();
    m_mark[Mark(i)] = m_stamp;
    for (int k = 0; k < count; ++k) {
        for (int n = m_boxes.First(boxes[k]); n; n = m_boxes.Next(n)) {
            const int body = m_boxes.Body(n);
            unsigned& mark = m_mark[Mark(body)];
            if (mark == m_stamp || mark == m_stamp + 1)
                continue;
            mark = m_stamp;
            if (body > 0 ? BallCandidate(m, i, body) : WallCandidate(m, i, -body)) {
                mark = m_stamp + 1;
                m_candidates.push_back(body);
            }
        }
    }
    m_mark[Mark(i)] = 0;
    return true;
}

bool ContactSearch::Link(int i, int body)
{
    const int number = m_numbers.Take(-1);
    if (number == 0)
        return Fail("no contact numbers are left");
    m_state[number] = ContactState();
    if (!m_contacts.Insert(i, body, number) || (body > 0 && !m_contacts.Insert(body, i, number)))
        return Fail("the contact lists are full");
    return true;
}

void ContactSearch::Unlink(int i, int body)
{
    const int number = m_contacts.Remove(i, body);
    if (body > 0)
        m_contacts.Remove(body, i);
    if (number > 0) {
        m_state[number] = ContactState();
        m_numbers.Take(number);
    }
}

bool ContactSearch::UpdateBall(const Model& m, int i)
{
    const Ball& b = m.balls[i];
    const double x = b.X(), y = b.Y();
    if (!std::isfinite(x) || !std::isfinite(y))
        return Fail("a ball's position is no longer a number (the time step is too large)");
    const double tol = m_dntol / 2;
    int before[4], after[4];
    const int nb = CellRange(m_bx[i], m_by[i], b.r, tol, before);
    const int na = CellRange(x, y, b.r, tol, after);
    for (int k = 0; k < nb; ++k)
        if (std::find(after, after + na, before[k]) == after + na)
            m_boxes.Remove(before[k], i);
    for (int k = 0; k < na; ++k)
        if (std::find(before, before + nb, after[k]) == before + nb && !m_boxes.Insert(after[k], i))
            return Fail("the box lists are full");
    m_bx[i] = x;
    m_by[i] = y;

    Gather(m, i, after, na);
    // Listed bodies that are candidates still are marked stamp + 1; the others go.
    m_work.clear();
    for (int n = m_contacts.First(i); n; n = m_contacts.Next(n)) {
        const int body = m_contacts.Body(n);
        unsigned& mark = m_mark[Mark(body)];
        if (mark == m_stamp + 1)
            mark = m_stamp + 2;
        else if (!(body < 0 && WallCandidate(m, i, -body)))
            m_work.push_back(body);
    }
    for (int body : m_work)
        Unlink(i, body);
    for (int body : m_candidates)
        if (m_mark[Mark(body)] == m_stamp + 1 && !Link(i, body))
            return false;
    return true;
}

bool ContactSearch::UpdateWall(const Model& m, int w)
{
    WallBoxes(m_wallBoxed[w], m_oldBoxes);
    m_wallBoxed[w] = m.walls[w].Line();
    WallBoxes(m_wallBoxed[w], m_newBoxes);
    std::sort(m_oldBoxes.begin(), m_oldBoxes.end());
    std::sort(m_newBoxes.begin(), m_newBoxes.end());
    for (int k : m_oldBoxes)
        if (!std::binary_search(m_newBoxes.begin(), m_newBoxes.end(), k))
            m_boxes.Remove(k, -w);
    for (int k : m_newBoxes)
        if (!std::binary_search(m_oldBoxes.begin(), m_oldBoxes.end(), k) && !m_boxes.Insert(k, -w))
            return Fail("the box lists are full");
    m_stamp += 3;
    for (int k : m_newBoxes) {
        for (int n = m_boxes.First(k); n; n = m_boxes.Next(n)) {
            const int i = m_boxes.Body(n);
            if (i <= 0 || m_mark[i] == m_stamp)
                continue;
            m_mark[i] = m_stamp;
            if (WallCandidate(m, i, w) && !m_contacts.Contains(i, -w) && !Link(i, -w))
                return false;
        }
    }
    return true;
}

} // namespace disc
