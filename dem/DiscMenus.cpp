// The console menus: case retrieval, input alteration, material properties,
// time, notification and data storage. Every value entered takes effect at
// once; a blank line returns to the menu above.
#include "dem/Disc.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace disc;

void CDisc::CaseRetrievalMenu()
{
    for (;;) {
        Con().Print("\n\n      CASE RETRIEVAL MENU");
        Con().Print("\n a - Retrieve a New Case from Disk (start file)");
        Con().Print("\n b - Retrieve an Old Case from Disk (restart)");
        Con().Print("\n");
        const char c = Con().ReadLetter();
        if (c == 'a') {
            std::string name;
            Con().Print("\nenter file name for input data");
            if (Con().ReadWord(name, kNameLength))
                ReadCase(name);
            return;
        }
        if (c == 'b') {
            Con().Print(" RESTART NOT ADDED TO PROGRAM");
            return;
        }
        if (c == 0)
            return;
    }
}

void CDisc::InputAlterationMenu()
{
    for (;;) {
        Con().Print("\n      INPUT ALTERATION MENU");
        Con().Print("\n a    - Header");
        Con().Print("\n b    - Start Time");
        Con().Print("\n c    - Contact Tolerance");
        Con().Print("\n d    - Accumulator Tolerances");
        Con().Print("\n e    - Gravity");
        Con().Print("\n f    - Material Properties (Stiffness etc.)");
        Con().Print("\n g    - Any Ball Velocity");
        Con().Print("\n h    - Any Wall Velocity");
        Con().Print("\n i    - Boxing Parameters");
        Con().Print("\n");
        const char c = Con().ReadLetter();
        double v = 0, w = 0;
        switch (c) {
        case 0:
            return;
        case 'a':
            Con().Print("\n%s", m_model.header.c_str());
            Con().Print("\nenter new one-line header:  ");
            Con().ReadLine(m_model.header, kHeaderLength);
            break;
        case 'b':
            Con().Print("\n\nold start time %g", m_model.startTime);
            Con().Print("\nenter new start time");
            if (Con().ReadDouble(v))
                m_model.startTime = m_time = v;
            break;
        case 'c':
            Con().Print("\n\nold contact tolerance dntol %g", m_model.dntol);
            do {
                Con().Print("\nenter new contact tolerance dntol");
                if (!Con().ReadDouble(v))
                    return;
            } while (v < 0);
            m_model.dntol = v;
            m_search.SetupGrid(m_model);   // the boxes must stay wider than a ball and its tolerance
            break;
        case 'd':
            Con().Print("\n\nold accum. delta u,and theta tol %g %g", m_model.tolU, m_model.tolTheta);
            Con().Print("\nenter new accum. delta u and theta tol");
            if (Con().ReadDouble(v) && Con().ReadDouble(w) && v >= 0 && w >= 0) {
                m_model.tolU = v;
                m_model.tolTheta = w;
            }
            break;
        case 'e':
            Con().Print("\n\nold gravity %g", m_model.gravity);
            Con().Print("\ninput new gravity");
            if (Con().ReadDouble(v))
                m_model.gravity = v;
            break;
        case 'f':
            MaterialMenu();
            break;
        case 'g': {
            int i = 0;
            for (;;) {
                Con().Print("\nwhich ball?");
                if (!Con().ReadInt(i))
                    return;
                if (i >= 1 && i <= m_model.Nb())
                    break;
                Con().Print("\nERROR, INVALID BALL NUMBER");
            }
            Ball& b = m_model.balls[i];
            Con().Print("\n\nx,y,r, old vx, vy, vtheta");
            Con().Print("\n%g %g %g %g %g %g", b.x, b.y, b.r, b.vx, b.vy, b.vtheta);
            Con().Print("\nenter new vx, vy, vtheta");
            double a = 0;
            if (Con().ReadDouble(v) && Con().ReadDouble(w) && Con().ReadDouble(a)) {
                b.vx = v;
                b.vy = w;
                b.vtheta = a;
            }
            break;
        }
        case 'h': {
            int k = 0;
            for (;;) {
                Con().Print("\nwhich wall?");
                if (!Con().ReadInt(k))
                    return;
                if (k >= 1 && k <= m_model.Nw())
                    break;
                Con().Print("\nERROR, INVALID WALL NUMBER");
            }
            Wall& wall = m_model.walls[k];
            Con().Print("\n\nxc,yc,thetac, old vx, vy, vtheta");
            Con().Print("\n%g %g %g %g %g %g", wall.xc, wall.yc, wall.thetac, wall.vx, wall.vy, wall.vtheta);
            Con().Print("\nenter new vx, vy, vtheta");
            double a = 0;
            if (Con().ReadDouble(v) && Con().ReadDouble(w) && Con().ReadDouble(a)) {
                wall.vx = v;
                wall.vy = w;
                wall.vtheta = a;
            }
            break;
        }
        case 'i': {
            const BoxGrid& g = m_search.Grid();
            Con().Print("\nBoxing Parameters");
            Con().Print("\n xdim= %g", g.xdim);
            Con().Print("\n ydim= %g", g.ydim);
            Con().Print("\n number of boxes in x= %d", g.nx);
            Con().Print("\n number of boxes in y= %d", g.ny);
            Con().Print("\n total number of boxes= %d", g.Count());
            Con().Print("\n width of boxed area= %g", g.Width());
            Con().Print("\n height of boxed area= %g", g.Height());
            double width = g.Width(), height = g.Height();
            Con().Print("\nDo you want to increase the width (y-n)");
            if (Con().ReadLetter() == 'y') {
                Con().Print("\nenter new width");
                if (Con().ReadDouble(v) && v >= width)
                    width = v;
            }
            Con().Print("\nDo you want to increase the height (y-n)");
            if (Con().ReadLetter() == 'y') {
                Con().Print("\nenter new height");
                if (Con().ReadDouble(v) && v >= height)
                    height = v;
            }
            const double boxes = (width / g.xdim + 1) * (height / g.ydim + 1);
            if (boxes > ContactSearch::MaxBoxes(m_model.Nb()))
                Con().Print("\nERROR, THAT WOULD MAKE %.0f BOXES; THE GRID STAYS AS IT IS", boxes);
            else
                m_search.ResizeGrid(width, height);
            break;
        }
        default:
            break;
        }
    }
}

void CDisc::ContactPropertiesMenu(ContactProps& props, int /*shown*/, bool /*question*/)
{
    static const char* const names[] = {"Normal Stiffness", "Shear Stiffness", "Normal Contact Damping",
                                        "Shear Contact Damping", "Cohesion", "Friction", "Angularity Factor"};
    static const char* const prompts[] = {"Enter new normal stiffness", "Enter new shear stiffness",
                                          "Enter new normal damping", "Enter new shear damping",
                                          "Enter new cohesion", "Enter new tanphi(friction)",
                                          "Enter new angularity factor"};
    for (;;) {
        Con().Print("\n\n         CONTACT PROPERTIES MENU");
        for (int k = 0; k < 7; ++k)
            Con().Print("\n %c - %s", 'a' + k, names[k]);
        Con().Print("\n");
        const char c = Con().ReadLetter();
        if (c == 0)
            return;
        if (c < 'a' || c > 'g')
            continue;
        double v = -1;
        while (v < 0) {
            Con().Print("\n%s", prompts[c - 'a']);
            if (!Con().ReadDouble(v))
                return;
        }
        props.Value(c - 'a' + 1) = v;
    }
}

void CDisc::MaterialMenu()
{
    auto show = [this](ContactProps& p, int count, const char* question) {
        Con().Print("\nold material properties");
        for (int k = 1; k <= count; ++k)
            Con().Print("\n%g", p.Value(k));
        Con().Print("%s", question);
        if (Con().ReadLetter() == 'y')
            ContactPropertiesMenu(p, count, true);
    };
    for (;;) {
        Con().Print("\n         MATERIAL PROPERTIES MENU");
        Con().Print("\n a - Change Mass,Inertia of a Ball Group (same radii)");
        Con().Print("\n b - Change Ball-Ball Contact Properties");
        Con().Print("\n c - Change Ball-Rigid Wall Contact Properties");
        Con().Print("\n d - Change Ball-Stress Wall Contact Properties");
        Con().Print("\n e - Change Global Damping");
        Con().Print("\n");
        const char c = Con().ReadLetter();
        switch (c) {
        case 0:
            return;
        case 'a': {
            std::vector<double> radii;
            for (int i = 1; i <= m_model.Nb(); ++i) {
                const double r = m_model.balls[i].r;
                const bool known = std::any_of(radii.begin(), radii.end(), [r](double q) {
                    return std::fabs(q - r) < std::max(q, r) / 1e5;
                });
                if (!known)
                    radii.push_back(r);
            }
            for (double r : radii) {
                Ball* first = nullptr;
                for (int i = 1; i <= m_model.Nb() && !first; ++i)
                    if (std::fabs(m_model.balls[i].r - r) < std::max(m_model.balls[i].r, r) / 1e5)
                        first = &m_model.balls[i];
                Con().Print("\n\nradius %g", r);
                Con().Print("\nold mass %g", first->mass);
                Con().Print("\nold inertia %g", first->inertia);
                Con().Print("\nchange them (y-n)");
                if (Con().ReadLetter() != 'y')
                    continue;
                double mass = 0, inertia = 0;
                Con().Print("\nnew mass");
                if (!Con().ReadDouble(mass))
                    return;
                Con().Print("\nnew intertia");
                if (!Con().ReadDouble(inertia))
                    return;
                if (!(mass > 0 && inertia > 0)) {
                    Con().Print("\nERROR, MASS AND INERTIA MUST BE GREATER THAN 0");
                    continue;
                }
                for (int i = 1; i <= m_model.Nb(); ++i) {
                    Ball& b = m_model.balls[i];
                    if (std::fabs(b.r - r) < b.r / 1e6) {
                        b.mass = mass;
                        b.inertia = inertia;
                    }
                }
            }
            break;
        }
        case 'b':
            show(m_model.ballBall, 7, "\ndo you wish to change any(y-n)");
            break;
        case 'c': {
            if (m_model.Nw() == 0) {
                Con().Print("\nERROR, NO WALLS IN THIS CASE");
                break;
            }
            int w = 0;
            for (;;) {
                Con().Print("\nwhich wall?");
                if (!Con().ReadInt(w))
                    return;
                if (w >= 1 && w <= m_model.Nw() && m_model.walls[w].Kind() == 0)
                    break;
                Con().Print("\nERROR, INVALID WALL NUMBER");
            }
            show(m_model.rigid[w], 7, "\ndo you wish to change any(y-n)?");
            break;
        }
        case 'd':
            if (!m_model.kindPresent[1]) {
                Con().Print("\nERROR, NO STRESS WALLS IN THIS CASE");
                break;
            }
            show(m_model.kindProps[1], 6, "\ndo you wish to change any(y-n)?");
            break;
        case 'e': {
            double u = 0, t = 0;
            Con().Print("\nold gdampu %g", m_model.gdampu);
            Con().Print("\nold gdampt %g", m_model.gdampt);
            Con().Print("enter new global damping gdampu,gdampt");
            if (Con().ReadDouble(u) && Con().ReadDouble(t) && u >= 0 && t >= 0) {
                m_model.gdampu = u;
                m_model.gdampt = t;
            }
            break;
        }
        default:
            break;
        }
    }
}

void CDisc::PrintStepCount()
{
    const double steps = std::floor((m_endTime - m_time) * 1.0001 / m_dt);
    Con().Print("\nTOTAL NUMBER OF TIME-STEPS =%.0f", steps);
}

void CDisc::TimeMenu()
{
    for (;;) {
        Con().Print("\n\n         TIME MENU");
        Con().Print("\n a - Calculate Critical Timestep");
        Con().Print("\n b - View Current Simulation Time");
        Con().Print("\n c - Enter Timestep");
        Con().Print("\n d - Enter Time of Simulation End");
        Con().Print("\n");
        const char c = Con().ReadLetter();
        double v = 0;
        switch (c) {
        case 0:
            return;
        case 'a':
            EstimateTimeStep(true);
            break;
        case 'b':
            Con().Print("Current Simulation Time : %g", m_time);
            break;
        case 'c':
            for (;;) {
                Con().Print("\nEnter Timestep");
                if (!Con().ReadDouble(v))
                    return;
                if (v > 0)
                    break;
                Con().Print("\nERROR, TIMESTEP MUST BE GREATER THAN 0");
            }
            m_dt = v;
            m_dtSet = true;
            if (m_endSet)
                PrintStepCount();
            break;
        case 'd':
            for (;;) {
                Con().Print("\nEnter Time of Simulation End");
                if (!Con().ReadDouble(v))
                    return;
                if (v >= m_time)
                    break;
                Con().Print("\n\nError in input, maximum simulation time is less");
                Con().Print("\nthan the current simulation time. RE-ENTER DATA");
                Con().Print("\ncurrent simulation time =%g", m_time);
            }
            m_endTime = v;
            m_endSet = true;
            if (m_dtSet)
                PrintStepCount();
            break;
        default:
            break;
        }
    }
}

void CDisc::NotificationMenu()
{
    int n = -1;
    for (;;) {
        Con().Print("\nenter # of time steps between time notification");
        Con().Print("\nenter 0 for no time notification");
        if (!Con().ReadInt(n))
            return;
        if (n >= 0)
            break;
        Con().Print("ERROR, NUMBER CAN NOT BE LESS THAN 0");
    }
    m_notify = n;
}

bool CDisc::ReadInterval(const char* question, int& value)
{
    int n = -1;
    for (;;) {
        Con().Print("%s", question);
        if (!Con().ReadInt(n))
            return false;
        if (n >= 0)
            break;
        Con().Print("\nERROR,INPUT IS LESS THAN 0");
    }
    value = n;
    return true;
}

bool CDisc::ReadPolygonList(std::vector<int>& polygons, const char* fileQuestion, const char* intervalQuestion,
                            int& interval, std::string& fileName)
{
    const int np = m_model.Np();
    if (np == 0) {
        Con().Print("\nERROR, NO POLYGONS IN THIS SIMULATION RUN");
        return false;
    }
    std::string name;
    Con().Print("%s", fileQuestion);
    if (!Con().ReadWord(name, kNameLength))
        return false;
    int every = 0, count = 0;
    if (!ReadInterval(intervalQuestion, every))
        return false;
    for (;;) {
        Con().Print("number of polygons for which information is requested");
        if (!Con().ReadInt(count))
            return false;
        if (count >= 1 && count <= np)
            break;
        Con().Print("\nERROR, INVALID DATA, NUMBER OF POLYS=%d", np);
    }
    std::vector<int> chosen(count);
    for (;;) {
        Con().Print("\npolygon id number(s)");
        bool valid = true;
        for (int& p : chosen) {
            if (!Con().ReadInt(p))
                return false;
            valid = valid && p >= 1 && p <= np;
        }
        if (valid)
            break;
        Con().Print("\nERROR, INVALID DATA");
    }
    polygons = chosen;
    interval = every;
    fileName = name;
    return true;
}

void CDisc::DataStorageMenu()
{
    static const char* const options[] = {
        " a    - Wall Forces", " b    - Restart Files", " c    - Plot Files", " d    - Ball Information for 1 Ball",
        " e    - Force History for any Contact", " f    - Wall Locations for Stress Walls",
        " g    - Ball Area for Flexible Stress Walls", " h    - Stress Tensor (interior stresses at a point)",
        " i    - Polygon Information (x,y,theta,vx,vy,vtheta)", " j    - Polygon Forces (x,y,fx,fy,fn,fs,wall#)"};
    const int nb = m_model.Nb(), nw = m_model.Nw();
    for (;;) {
        Con().Print("\n\n\n         DATA STORAGE MENU");
        for (const char* option : options)
            Con().Print("\n%s", option);
        Con().Print("\n");
        const char c = Con().ReadLetter();
        std::string name;
        switch (c) {
        case 0:
            return;
        case 'a': {
            Con().Print("file name for force output");
            if (!Con().ReadWord(name, kNameLength))
                return;
            int count = 0;
            for (;;) {
                Con().Print("\nhow many walls");
                if (!Con().ReadInt(count))
                    return;
                if (count > nw)
                    Con().Print("\nNumber greater than total number of walls=%d", nw);
                else if (count >= 0)
                    break;
            }
            std::vector<int> walls(count);
            for (bool valid = false; !valid;) {
                Con().Print("\nexternal wall numbers");
                valid = true;
                for (int& w : walls) {
                    if (!Con().ReadInt(w))
                        return;
                    if (valid && (w < 1 || w > nw)) {
                        Con().Print("\nWall %d does not exist, reenter numbers", w);
                        valid = false;
                    }
                }
            }
            if (ReadInterval("number of timesteps between force output", m_forceInterval))
                m_forceWalls = walls;
            break;
        }
        case 'b':
            Con().Print("\nenter number of time steps between system status storage");
            Con().Print("\n- system status is automatically stored at the");
            Con().Print("\n  end of this simulation run");
            Con().Print("\n- enter 0 if you want the status stored only");
            Con().Print("\n  at the end of this simulation run");
            if (!ReadInterval("\n", m_statusInterval))
                return;
            Con().Print("\nenter one letter suffix to describe system status data files");
            Con().ReadWord(m_statusSuffix, 1);
            break;
        case 'c': {
            int interval = 0, method = 0;
            if (!ReadInterval("\n number of time steps between plots", interval))
                return;
            while (method < 1 || method > 3) {
                Con().Print("\n\n Method for Storing Coordinates");
                Con().Print("\n 1 - one file with the plot data of every stored time step");
                Con().Print("\n 2 - a different plot data file for every stored time step");
                Con().Print("\n 3 - a points (x,y) file for a points animation");
                Con().Print("\n");
                if (!Con().ReadInt(method))
                    return;
            }
            int every = 1;
            if (method == 3) {
                do {
                    Con().Print("Every how many discs do you want stored?");
                    if (!Con().ReadInt(every))
                        return;
                } while (every < 1);
            }
            m_plotInterval = interval;
            m_plotMethod = method;
            m_plotEvery = every;
            m_plotFile.reset();
            if (method == 2) {
                AppendOutball();
                break;
            }
            Con().Print("enter plot file name");
            if (!Con().ReadWord(name, kNameLength))
                return;
            m_plotFile.reset(OpenOutput(name, "w+"));
            WritePlotFrame(true);
            break;
        }
        case 'd': {
            static const int allowed[] = {1, 2, 4, 5, 6, 7, 8, 9, 10, 13, 14, 15};
            int ball = 0, count = 0;
            do {
                Con().Print("\nwhich ball  ");
                if (!Con().ReadInt(ball))
                    return;
            } while (ball < 1 || ball > nb);
            for (int p : allowed)
                Con().Print("\n %2d", p);
            do {
                Con().Print(" how many of the above");
                if (!Con().ReadInt(count))
                    return;
            } while (count < 1 || count > 12);
            std::vector<int> props(count);
            Con().Print("\nnumbers");
            for (int& p : props)
                do {
                    if (!Con().ReadInt(p))
                        return;
                } while (std::find(std::begin(allowed), std::end(allowed), p) == std::end(allowed));
            Con().Print("filename for output file");
            if (!Con().ReadWord(name, kNameLength))
                return;
            if (!ReadInterval("number of timesteps between writes", m_infoInterval))
                return;
            m_infoBall = ball;
            m_infoProps = props;
            if (std::FILE* f = OpenOutput(name, "w+")) {
                for (int p : props)
                    std::fprintf(f, "%d\n", p);
                for (int p : props)
                    std::fprintf(f, "%g %g\n", m_time, m_model.balls[ball].Prop(p));
                std::fclose(f);
            }
            break;
        }
        case 'e': {
            std::vector<std::pair<int, int>> chosen;
            for (;;) {
                int a = 0, b = 0;
                Con().Print("\nenter the two body numbers (ball/-wall)\nmaking up the contact");
                if (!Con().ReadInt(a) || !Con().ReadInt(b))
                    return;
                const bool aOk = a >= 1 ? a <= nb : a <= -1 && -a <= nw;
                const bool bOk = b >= 1 ? b <= nb : b <= -1 && -b <= nw;
                if (aOk && bOk && (a > 0 || b > 0) && a != b)
                    chosen.emplace_back(a, b);
                else
                    Con().Print("\nERROR, INVALID BODY NUMBERS");
                Con().Print("\nenter filename for output of contact forces");
                if (!Con().ReadWord(name, kNameLength))
                    return;
                Con().Print("\nanother contact (y/n)");
                if (Con().ReadLetter() != 'y')
                    break;
            }
            m_historyContacts = chosen;
            WriteContactForces();
            break;
        }
        case 'f': {
            Con().Print("\nfile name for location output");
            if (!Con().ReadWord(name, kNameLength))
                return;
            int count = 0;
            do {
                Con().Print("\nhow many stress walls");
                if (!Con().ReadInt(count))
                    return;
            } while (count < 0 || count > nw);
            std::vector<std::pair<int, int>> walls(count);
            for (auto& [w, coordinate] : walls)
                for (;;) {
                    Con().Print("\nwall no. & vertical(12) or horizontal(13)");
                    if (!Con().ReadInt(w) || !Con().ReadInt(coordinate))
                        return;
                    if (w >= 1 && w <= nw && (coordinate == 12 || coordinate == 13))
                        break;
                    Con().Print("\nWall %d does not exist,reenter numbers", w);
                }
            if (!ReadInterval("\nnumber of timesteps between location output", m_locationInterval))
                return;
            m_locationWalls = walls;
            m_locationFile.reset(OpenOutput(name, "w+"));
            if (std::FILE* f = m_locationFile.get())
                for (auto [w, coordinate] : walls)
                    std::fprintf(f, "%g %g\n", m_time, m_model.walls[w].Value(coordinate));
            break;
        }
        case 'g':
            Con().Print("\nfile name for area output");
            if (!Con().ReadWord(name, kNameLength))
                return;
            if (ReadInterval("\nnumber of timesteps between area output", m_areaInterval))
                m_areaFile.reset(OpenOutput(name, "w+"));
            break;
        case 'h': {
            int count = 0;
            do {
                Con().Print("\nnumber of stress points");
                if (!Con().ReadInt(count))
                    return;
            } while (count < 0 || count > 1000);
            std::vector<StressPoint> points(count);
            for (int k = 0; k < count; ++k)
                do {
                    Con().Print("\nfor point %d input xc yc r", k + 1);
                    if (!Con().ReadDouble(points[k].x) || !Con().ReadDouble(points[k].y) ||
                        !Con().ReadDouble(points[k].r))
                        return;
                } while (!(points[k].r > 0));
            Con().Print("\nfile name for tensor output");
            if (!Con().ReadWord(name, kNameLength))
                return;
            if (ReadInterval("\nnumber of timesteps between tensors", m_stressInterval)) {
                m_stressPoints = points;
                m_stressFile.reset(OpenOutput(name, "w+"));
            }
            break;
        }
        case 'i':
            if (ReadPolygonList(m_infoPolygons, "file name for polygon info output",
                                "number of timesteps between info output", m_polyInfoInterval, name))
                m_polyInfoFile.reset(OpenOutput(name, "w+"));
            break;
        case 'j':
            if (ReadPolygonList(m_forcePolygons, "\nfile name for polygon force output",
                                "number of timesteps between info output", m_polyForceInterval, name))
                m_polyForceFile.reset(OpenOutput(name, "w+"));
            break;
        default:
            break;
        }
    }
}
