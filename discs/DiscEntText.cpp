// The disc results in the document's text file. Every number is written in
// its shortest exact text, so a document read back and saved again gives the
// same bytes. A state's element number is its track's number and is not
// written; the contacts are kept too, which the binary archive never held,
// and so is the frame timing (files written before it was kept have none).
#include "discs/DiscEnt.h"

#include "formats/DocumentTextFile.h"

void CDiscEnt::WriteText(CDocumentTextWriter& file) const
{
    file.Line("* Display");
    file.Values(' ', m_nSkipCount, m_nReserved, m_nCurrentStep, m_nDisplayMode);
    file.Line("* Seconds per Frame, Final Time");
    file.Values(' ', m_dFrameSeconds, m_dFinalTime);
    file.Line("* Number of Tracks");
    file.Linef("%d", GetTrackCount());
    for (const auto& track : m_tracks) {
        file.Line("* Number of States");
        file.Linef("%d", static_cast<int>(track.size()));
        for (const CDiscStateRecord& s : track)
            file.Values(' ', s.x, s.y, s.angle, s.radius, static_cast<int>(s.step), s.vx, s.vy, s.ax, s.ay, s.mass);
    }
    file.Line("* Number of Contact Lists");
    file.Linef("%d", GetContactListCount());
    for (const auto& list : m_contacts) {
        file.Line("* Number of Contacts");
        file.Linef("%d", static_cast<int>(list.size()));
        for (const CDiscContactRecord& c : list)
            file.Values(' ', c.x, c.y, static_cast<int>(c.step));
    }
}

bool CDiscEnt::ReadText(CDocumentTextReader& file, bool withTiming)
{
    int display[4];
    if (!file.ReadInts(display, 4))
        return false;
    double timing[2] = {0.0, 0.0};
    if (withTiming && !file.ReadReals(timing, 2))
        return false;
    int tracks = 0;
    if (!file.ReadCount(tracks))
        return false;
    m_tracks.clear();
    m_contacts.clear();
    m_nStates = 0;
    SetFrameTiming(timing[0], timing[1]);
    for (int t = 0; t < tracks; ++t) {
        int states = 0;
        if (!file.ReadCount(states))
            return false;
        for (int i = 0; i < states; ++i) {
            double v[10];
            if (!file.ReadFields("rrrrirrrrr", v))
                return false;
            AddStateWithMotion(t, static_cast<int>(v[4]), v[0], v[1], v[2], v[3], v[5], v[6], v[7], v[8], v[9]);
        }
    }
    // Tracks keep their numbers even when some are empty.
    if (m_tracks.size() < static_cast<size_t>(tracks))
        m_tracks.resize(static_cast<size_t>(tracks));
    int lists = 0;
    if (!file.ReadCount(lists))
        return false;
    m_contacts.resize(static_cast<size_t>(lists));
    for (auto& list : m_contacts) {
        int contacts = 0;
        if (!file.ReadCount(contacts))
            return false;
        list.reserve(static_cast<size_t>(contacts));
        for (int i = 0; i < contacts; ++i) {
            double v[3];
            if (!file.ReadFields("rri", v))
                return false;
            list.push_back(CDiscContactRecord{v[0], v[1], static_cast<int>(v[2])});
        }
    }
    m_nSkipCount = 20;
    SetSkipCount(display[0]);
    m_nReserved = display[1];
    m_nCurrentStep = display[2];
    m_nDisplayMode = MODE_ONE_STEP;
    SetDisplayMode(display[3]);
    return true;
}
