// CDiscEnt: the results of one discrete-element run in the drawing database.
// It keeps every element's states, one track per element, and the contacts of
// a DEM run, and draws one chosen time step (with value labels and contact
// markers), every stored step as discs, or every element's path.
#pragma once

#include <cstdint>
#include <vector>
#include "geometry/Entity.h"
#include "model/ResultRecords.h"

class CDocumentTextReader;
class CDocumentTextWriter;

// One stored state of one element: 104 bytes saved as they are. Every byte is
// set, the first 24 (reserved) to zero, so nothing undefined reaches a file.
struct CDiscStateRecord {
    unsigned char reserved[24] = {};
    double x = 0.0;
    double y = 0.0;
    double angle = 0.0;
    double radius = 0.0;
    std::int32_t step = 0;
    std::int32_t element = 0;
    double vx = 0.0;
    double vy = 0.0;
    double ax = 0.0;
    double ay = 0.0;
    double mass = 0.0;
};

struct CDiscContactRecord {
    double x = 0.0;
    double y = 0.0;
    std::int32_t step = 0;
};

class CDiscEnt : public CEntity
{
    DECLARE_SERIAL(CDiscEnt)
public:
    enum {
        KIND_ID = 2180,
        MODE_ONE_STEP = CDiscParameters::DISPLAY_ONE_STEP,
        MODE_ALL_DISCS = CDiscParameters::DISPLAY_ALL_DISCS,
        MODE_ALL_PATHS = CDiscParameters::DISPLAY_ALL_PATHS,
    };

    CDiscEnt();
    ~CDiscEnt() override;

    // A state without motion: velocity, acceleration and mass read 0.
    void AddState(int element, int step, double x, double y, double angle, double radius);
    void AddStateWithMotion(int element, int step, double x, double y, double angle, double radius, double vx,
                            double vy, double ax, double ay, double mass);
    void AddContact(int list, int step, double x, double y);
    // A whole record, its track being its element number.
    void AddState(const CDiscStateRecord& state) { Append(state); }
    // Puts `state` in place of the last state of its element's track (which
    // must have one).
    void ReplaceLastState(const CDiscStateRecord& state);

    void SetDisplayMode(int mode);
    int GetDisplayMode() const { return m_nDisplayMode; }
    void SetSkipCount(int count);
    int GetSkipCount() const { return m_nSkipCount; }
    void SetCurrentStep(int step) { m_nCurrentStep = step; }
    int GetCurrentStep() const { return m_nCurrentStep; }
    const CDiscParameters& GetViewSettings() const { return m_viewSettings; }
    void SetViewSettings(const CDiscParameters& block) { m_viewSettings = block; }

    // The player's frames are evenly spaced in time: frame k shows the time
    // min(k x seconds per frame, final time), the last frame the final time.
    // A run sets them; results read from an older file have none (0).
    void SetFrameTiming(double secondsPerFrame, double finalTime);
    bool HasFrameTiming() const { return m_dFrameSeconds > 0.0; }
    double GetFrameSeconds() const { return m_dFrameSeconds; }
    double GetFinalTime() const { return m_dFinalTime; }
    double GetFrameTime(int frame) const;
    // One more than the highest frame number any state carries; 0 when empty.
    int GetFrameCount() const;
    // Keeps every second frame, renumbered (frame 2j becomes j), so that the
    // frames stay evenly spaced at twice the seconds per frame. A track's
    // first state, when on an odd frame, goes to the frame below, and a last
    // state on `finalFrame` to the frame above, so no disc loses where it
    // began or came to rest.
    void HalveFrames(int finalFrame);

    int GetTrackCount() const { return static_cast<int>(m_tracks.size()); }
    const std::vector<CDiscStateRecord>& GetTrack(int i) const { return m_tracks[static_cast<size_t>(i)]; }
    // The last state of a track, null when it has none.
    const CDiscStateRecord* GetLastState(int i) const;
    int GetContactListCount() const { return static_cast<int>(m_contacts.size()); }
    const std::vector<CDiscContactRecord>& GetContacts(int i) const { return m_contacts[static_cast<size_t>(i)]; }
    size_t GetStateCount() const { return m_nStates; }

    void Serialize(CArchive& ar) override;
    // The display state, every state and every contact as lines of the
    // document's text file; reading fills an empty entity and is false when
    // the lines do not hold one.
    // Files written before the frame timing was kept (withTiming false) read
    // without it.
    void WriteText(CDocumentTextWriter& file) const;
    bool ReadText(CDocumentTextReader& file, bool withTiming = true);
    void Draw(CDC* pDC, CViewContext* pView) override;

    // The label of one state for a stored-data code (bits 1 position,
    // 2 velocity, 4 acceleration, 8 kinetic energy), one line per part.
    static CString FormatLabel(const CDiscStateRecord& state, int code);

private:
    void Append(const CDiscStateRecord& state);
    void SerializeViewSettings(CArchive& ar, UINT schema);
    void DrawState(CDC* pDC, CViewContext* pView, const CDiscStateRecord& state);
    void DrawContacts(CDC* pDC, CViewContext* pView);

    CDiscParameters m_viewSettings;
    int m_nSkipCount = 20;
    int m_nReserved = 0;
    int m_nCurrentStep = 0;
    int m_nDisplayMode = MODE_ONE_STEP;
    std::vector<std::vector<CDiscStateRecord>> m_tracks;
    std::vector<std::vector<CDiscContactRecord>> m_contacts;
    size_t m_nStates = 0;
    double m_dFrameSeconds = 0.0;
    double m_dFinalTime = 0.0;
};
