#include "discs/DiscEnt.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "geometry/ViewContext.h"
#include "tools/TextStyle.h"

// Schema 2 stores the whole view-settings block; schema 1 kept only part of
// it and is still read.
IMPLEMENT_SERIAL(CDiscEnt, CEntity, VERSIONABLE_SCHEMA | 2)

static_assert(sizeof(CDiscStateRecord) == 104, "a state record is saved as 104 bytes");
static_assert(offsetof(CDiscStateRecord, x) == 24 && offsetof(CDiscStateRecord, step) == 56
                  && offsetof(CDiscStateRecord, vx) == 64 && offsetof(CDiscStateRecord, mass) == 96,
              "the saved layout of a state record");

namespace {

constexpr UINT kStateSize = sizeof(CDiscStateRecord);

bool IsFiniteState(const CDiscStateRecord& s)
{
    for (double v : {s.x, s.y, s.angle, s.radius, s.vx, s.vy, s.ax, s.ay, s.mass})
        if (!std::isfinite(v))
            return false;
    return true;
}

}  // namespace

CDiscEnt::CDiscEnt()
{
    SetKindId(KIND_ID);
}

CDiscEnt::~CDiscEnt() = default;

void CDiscEnt::SetFrameTiming(double secondsPerFrame, double finalTime)
{
    const bool sound = secondsPerFrame > 0.0 && std::isfinite(secondsPerFrame) && finalTime >= 0.0
                       && std::isfinite(finalTime);
    m_dFrameSeconds = sound ? secondsPerFrame : 0.0;
    m_dFinalTime = sound ? finalTime : 0.0;
}

double CDiscEnt::GetFrameTime(int frame) const
{
    if (frame <= 0)
        return 0.0;
    return std::min(frame * m_dFrameSeconds, m_dFinalTime);
}

int CDiscEnt::GetFrameCount() const
{
    int count = 0;
    for (const auto& track : m_tracks)
        for (const auto& s : track)
            count = std::max(count, s.step + 1);
    return count;
}

const CDiscStateRecord* CDiscEnt::GetLastState(int i) const
{
    if (i < 0 || static_cast<size_t>(i) >= m_tracks.size() || m_tracks[static_cast<size_t>(i)].empty())
        return nullptr;
    return &m_tracks[static_cast<size_t>(i)].back();
}

void CDiscEnt::ReplaceLastState(const CDiscStateRecord& state)
{
    if (state.element < 0 || static_cast<size_t>(state.element) >= m_tracks.size()
        || m_tracks[static_cast<size_t>(state.element)].empty())
        return;
    m_tracks[static_cast<size_t>(state.element)].pop_back();
    --m_nStates;
    Append(state);
}

void CDiscEnt::HalveFrames(int finalFrame)
{
    m_nStates = 0;
    for (auto& track : m_tracks) {
        size_t kept = 0;
        for (size_t i = 0; i < track.size(); ++i) {
            CDiscStateRecord s = track[i];
            if (s.step % 2 == 0)
                s.step /= 2;
            else if (i == 0)
                s.step = (s.step - 1) / 2;
            else if (i + 1 == track.size() && s.step == finalFrame)
                s.step = (s.step + 1) / 2;
            else
                continue;
            track[kept++] = s;
        }
        track.resize(kept);
        track.shrink_to_fit();
        m_nStates += kept;
    }
    for (auto& list : m_contacts) {
        size_t kept = 0;
        for (const auto& c : list)
            if (c.step % 2 == 0)
                list[kept++] = CDiscContactRecord{c.x, c.y, c.step / 2};
        list.resize(kept);
    }
    if (m_dFrameSeconds > 0.0)
        m_dFrameSeconds *= 2.0;
}

void CDiscEnt::Append(const CDiscStateRecord& state)
{
    const double r = state.radius;
    if (m_tracks.empty()) {
        SetExtents(state.x - r, state.y + r, state.x + r, state.y - r);
    } else {
        SetExtents(std::min(GetLeft(), state.x - r), std::max(GetTop(), state.y + r),
                   std::max(GetRight(), state.x + r), std::min(GetBottom(), state.y - r));
    }
    if (state.element < 0)
        return;
    if (static_cast<size_t>(state.element) >= m_tracks.size())
        m_tracks.resize(static_cast<size_t>(state.element) + 1);
    m_tracks[static_cast<size_t>(state.element)].push_back(state);
    ++m_nStates;
}

void CDiscEnt::AddState(int element, int step, double x, double y, double angle, double radius)
{
    AddStateWithMotion(element, step, x, y, angle, radius, 0.0, 0.0, 0.0, 0.0, 0.0);
}

void CDiscEnt::AddStateWithMotion(int element, int step, double x, double y, double angle, double radius, double vx,
                                  double vy, double ax, double ay, double mass)
{
    CDiscStateRecord s;
    s.element = element;
    s.step = step;
    s.x = x;
    s.y = y;
    s.angle = angle;
    s.radius = radius;
    s.vx = vx;
    s.vy = vy;
    s.ax = ax;
    s.ay = ay;
    s.mass = mass;
    Append(s);
}

void CDiscEnt::AddContact(int list, int step, double x, double y)
{
    if (list < 0)
        return;
    if (static_cast<size_t>(list) >= m_contacts.size())
        m_contacts.resize(static_cast<size_t>(list) + 1);
    m_contacts[static_cast<size_t>(list)].push_back(CDiscContactRecord{x, y, step});
}

void CDiscEnt::SetDisplayMode(int mode)
{
    if (mode == MODE_ONE_STEP || mode == MODE_ALL_DISCS || mode == MODE_ALL_PATHS)
        m_nDisplayMode = mode;
}

void CDiscEnt::SetSkipCount(int count)
{
    if (count >= 0)
        m_nSkipCount = count;
}

// ---- archive -------------------------------------------------------------------

void CDiscEnt::Serialize(CArchive& ar)
{
    const UINT schema = ar.IsStoring() ? 2 : ar.GetObjectSchema();
    CEntity::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<int>(m_tracks.size()) - 1;
        for (const auto& track : m_tracks) {
            ar.WriteCount(static_cast<DWORD>(track.size()));
            if (!track.empty())
                ar.Write(track.data(), static_cast<UINT>(track.size() * kStateSize));
        }
        ar << m_nSkipCount << m_nReserved << m_nCurrentStep << m_nDisplayMode;
    } else {
        int upper = 0;
        ar >> upper;
        // Every track takes at least its count word.
        if (upper < -1)
            AfxThrowArchiveException(CArchiveException::generic);
        ar.CheckCount(static_cast<ULONGLONG>(upper) + 1, 2);
        std::vector<std::vector<CDiscStateRecord>> tracks(static_cast<size_t>(upper + 1));
        std::int32_t element = 0;
        for (auto& track : tracks) {
            const DWORD count = ar.ReadCount();
            ar.CheckCount(count, kStateSize);
            track.resize(count);
            if (count != 0 && ar.Read(track.data(), count * kStateSize) != count * kStateSize)
                AfxThrowArchiveException(CArchiveException::endOfFile);
            for (auto& s : track) {
                // What the reserved bytes held is no concern of this program.
                std::memset(s.reserved, 0, sizeof s.reserved);
                // A state's element is the track it is stored in; the number
                // in its bytes is not trusted to size the tracks.
                s.element = element;
                if (!IsFiniteState(s))
                    AfxThrowArchiveException(CArchiveException::generic);
            }
            ++element;
        }
        int skip, reserved, step, mode;
        ar >> skip >> reserved >> step >> mode;
        m_tracks.clear();
        m_contacts.clear();
        m_nStates = 0;
        for (auto& track : tracks)
            for (const auto& s : track)
                Append(s);
        // Tracks keep their numbers even when some are empty.
        if (m_tracks.size() < tracks.size())
            m_tracks.resize(tracks.size());
        m_nSkipCount = 20;
        SetSkipCount(skip);
        m_nReserved = reserved;
        m_nCurrentStep = step;
        m_nDisplayMode = MODE_ONE_STEP;
        SetDisplayMode(mode);
    }
    SerializeViewSettings(ar, schema);
}

void CDiscEnt::SerializeViewSettings(CArchive& ar, UINT schema)
{
    CDiscParameters& v = m_viewSettings;
    if (ar.IsStoring()) {
        ar << v.m_integerA << v.m_code << v.m_integerC << v.m_integerB << v.m_reserved1;
        ar << v.m_realA << v.m_realB << v.m_flagA;
        ar << v.m_reserved2 << v.m_flagB << v.m_flagC << v.GetLabelMode();
        return;
    }
    BYTE flag = 0;
    ar >> v.m_integerA >> v.m_code >> v.m_integerC >> v.m_integerB >> v.m_reserved1;
    ar >> v.m_realA >> v.m_realB >> flag;
    if (!std::isfinite(v.m_realA) || !std::isfinite(v.m_realB))
        AfxThrowArchiveException(CArchiveException::generic);
    v.m_flagA = flag != 0 ? 1 : 0;
    if (schema < 2)
        return;
    BYTE flagB = 0, flagC = 0;
    int labelMode = 0;
    ar >> v.m_reserved2 >> flagB >> flagC >> labelMode;
    v.m_flagB = flagB != 0 ? 1 : 0;
    v.m_flagC = flagC != 0 ? 1 : 0;
    v.SetLabelMode(labelMode);
}

// ---- drawing -------------------------------------------------------------------

CString CDiscEnt::FormatLabel(const CDiscStateRecord& s, int code)
{
    CString text;
    auto add = [&text](const CString& part) {
        if (!text.IsEmpty())
            text += "\n";
        text += part;
    };
    CString part;
    if (code & CDiscParameters::LABEL_POSITION) {
        part.Format("p(%.3f,%.3f)", s.x, s.y);
        add(part);
    }
    if (code & CDiscParameters::LABEL_VELOCITY) {
        part.Format("v(%.3f,%.3f)", s.vx, s.vy);
        add(part);
    }
    if (code & CDiscParameters::LABEL_ACCELERATION) {
        part.Format("a(%.3f,%.3f)", s.ax, s.ay);
        add(part);
    }
    if (code & CDiscParameters::LABEL_ENERGY) {
        part.Format("te(%.3f)", 0.5 * s.mass * (s.vx * s.vx + s.vy * s.vy));
        add(part);
    }
    return text;
}

void CDiscEnt::DrawState(CDC* pDC, CViewContext* pView, const CDiscStateRecord& s)
{
    const CPoint a = pView->WorldToDevice(s.x - s.radius, s.y + s.radius);
    const CPoint b = pView->WorldToDevice(s.x + s.radius, s.y - s.radius);
    pDC->Ellipse(a.x, a.y, b.x, b.y);
    pDC->MoveTo(pView->WorldToDevice(s.x, s.y));
    pDC->LineTo(pView->WorldToDevice(s.x + s.radius * std::cos(s.angle), s.y + s.radius * std::sin(s.angle)));
}

void CDiscEnt::Draw(CDC* pDC, CViewContext* pView)
{
    CPen pen(PS_SOLID, 1, pView->GetDisplayColour(RGB(0, 0, 0x80)));
    CPen* oldPen = pDC->SelectObject(&pen);
    CGdiObject* oldBrush = pDC->SelectStockObject(HOLLOW_BRUSH);
    const size_t every = static_cast<size_t>(m_nSkipCount) + 1;
    const int code = m_viewSettings.GetLabelMode();
    for (const auto& track : m_tracks) {
        if (track.empty())
            continue;
        switch (m_nDisplayMode) {
        case MODE_ONE_STEP:
            for (const auto& s : track) {
                if (s.step != m_nCurrentStep)
                    continue;
                DrawState(pDC, pView, s);
                if (code != 0) {
                    CTextStyle style;
                    style.DrawText(pDC, pView, FormatLabel(s, code), s.x, s.y, 0,
                                   pView->GetDisplayColour(RGB(0x80, 0, 0)), RGB(255, 255, 255), 5);
                }
                break;
            }
            break;
        case MODE_ALL_DISCS:
            for (size_t i = 0; i < track.size(); i += every)
                DrawState(pDC, pView, track[i]);
            break;
        case MODE_ALL_PATHS:
            pDC->MoveTo(pView->WorldToDevice(track[0].x, track[0].y));
            for (size_t i = 0; i < track.size(); i += every)
                pDC->LineTo(pView->WorldToDevice(track[i].x, track[i].y));
            pDC->LineTo(pView->WorldToDevice(track.back().x, track.back().y));
            break;
        default:
            break;
        }
    }
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
    if (m_viewSettings.GetShowContacts() && m_nDisplayMode == MODE_ONE_STEP)
        DrawContacts(pDC, pView);
}

void CDiscEnt::DrawContacts(CDC* pDC, CViewContext* pView)
{
    CPen pen(PS_SOLID, 1, pView->GetDisplayColour(RGB(0xFF, 0, 0)));
    CPen* oldPen = pDC->SelectObject(&pen);
    CGdiObject* oldBrush = pDC->SelectStockObject(HOLLOW_BRUSH);
    for (const auto& list : m_contacts) {
        for (const auto& c : list) {
            if (c.step != m_nCurrentStep)
                continue;
            const CPoint p = pView->WorldToDevice(c.x, c.y);
            pDC->Rectangle(p.x - 7, p.y - 7, p.x + 8, p.y + 8);
            DrawCrossMarker(pDC, p.x, p.y, 11);
            break;
        }
    }
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
}
