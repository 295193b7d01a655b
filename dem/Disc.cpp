// The run entry of the disk program: the console's main menu, or the
// automatic run of one case.
#include "dem/Disc.h"

#include <cmath>
#include <cstring>
#include <iostream>

using namespace disc;

CDisc::CDisc() = default;
CDisc::~CDisc() = default;

CDiscConsole& CDisc::Con()
{
    if (!m_console)
        m_console = std::make_unique<CDiscConsole>(m_context.in ? *m_context.in : std::cin,
                                                   m_context.out ? *m_context.out : std::cout);
    return *m_console;
}

void CDisc::Banner()
{
    static const char* const lines[] = {
        "********************************************************",
        "*                                                      *",
        "*                    PROGRAM CDisc                     *",
        "*                     version 2.1                      *",
        "*                                                      *",
        "*       Program DISC is an implementation of the       *",
        "*    Discrete Element Method using two dimensional     *",
        "*                    disk elements.                    *",
        "*                                                      *",
        "********************************************************",
    };
    Con().Print("\nstatic byte size = %d", 912312);
    for (const char* line : lines)
        Con().Print("\n%s", line);
}

bool CDisc::Run()
{
    m_console = std::make_unique<CDiscConsole>(m_context.in ? *m_context.in : std::cin,
                                               m_context.out ? *m_context.out : std::cout);
    m_model.Clear();
    m_caseRead = m_dtSet = m_endSet = false;
    m_time = 0;
    m_dt = 0.0003;
    m_endTime = 0;
    m_notify = 0;
    m_statusInterval = m_plotInterval = m_forceInterval = m_infoInterval = -1;
    m_locationInterval = m_areaInterval = m_stressInterval = m_polyInfoInterval = m_polyForceInterval = -1;
    m_plotMethod = 0;
    m_plotEvery = 1;
    CloseOutputs();
    m_forceWalls.clear();
    m_infoProps.clear();
    m_historyContacts.clear();
    m_locationWalls.clear();
    m_stressPoints.clear();
    m_infoPolygons.clear();
    m_forcePolygons.clear();
    m_context.error.clear();

    Banner();
    bool ok = true;
    if (!m_context.interactive) {
        m_endTime = m_context.endTime;
        m_dtSet = m_endSet = true;
        m_plotInterval = m_context.plotInterval;
        m_plotMethod = 1;
        if (!ReadCase("wr"))
            return false;
        EstimateTimeStep(true);
        const double dt = m_context.timeStep / m_context.timeStepDivisor;
        if (!(dt > 0) || !std::isfinite(dt))
            return Fail("the estimated time step is not a positive number: check the masses and stiffnesses");
        ok = Analyse(dt, m_endTime);
    } else {
        for (;;) {
            char choice = 0;
            MainMenu(choice);
            if (choice == 'q')
                break;
            if (!m_caseRead && choice != 'a') {
                Con().Print("\nERROR, MUST RETRIEVE A CASE FROM DISC FIRST");
                continue;
            }
            if (choice == 'f' && (!m_dtSet || !m_endSet)) {
                Con().Print("\nERROR, MUST SET TIMESTEP AND END TIME FIRST");
                continue;
            }
            switch (choice) {
            case 'a': CaseRetrievalMenu(); break;
            case 'b': InputAlterationMenu(); break;
            case 'c': TimeMenu(); break;
            case 'd': DataStorageMenu(); break;
            case 'e': NotificationMenu(); break;
            default: break;
            }
            if (choice == 'f') {
                ok = Analyse(m_dt, m_endTime);
                break;
            }
        }
    }
    CloseOutputs();
    Con().Out().flush();
    m_console.reset();
    return ok;
}

void CDisc::MainMenu(char& choice)
{
    Con().Print("\n\n\n          MAIN MENU");
    Con().Print("\n a - Retrieve a Case from Disk");
    Con().Print("\n b - Alter Case Input");
    Con().Print("\n c - Set Timestep and Time of Simulation End");
    Con().Print("\n d - Set Data to be Stored During the Simulation");
    Con().Print("\n e - Set Timestep Notification");
    Con().Print("\n f - Perform Analysis");
    Con().Print("\n q - Quit Program");
    Con().Print("\n");
    for (;;) {
        choice = Con().ReadLetter();
        if (Con().AtEnd()) {
            choice = 'q';   // the input has ended: nobody is left to answer
            return;
        }
        if (choice && std::strchr("abcdefq", choice))
            return;
    }
}
