#include "report/AnalysisReport.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "geometry/EntityIterator.h"
#include "model/TalusimBarrier.h"
#include "model/TalusimDoc.h"
#include "model/TalusimRaker.h"
#include "model/TalusimSlope.h"
#include "model/TalusimSlopeType.h"

namespace {

// The entities of one kind in the database's order, through the work set.
template <class T>
std::vector<T*> Collect(CREGDatabase* database, int category, int kind, int group) {
    std::vector<T*> found;
    CEntityIterator it(database, CAnalysisReport::kWorkSet);
    it.SelectTypes(category, kind, group);
    for (CEntity* e = it.GetFirst(); e != nullptr; e = it.GetNext())
        if (T* t = dynamic_cast<T*>(e)) found.push_back(t);
    return found;
}

} // namespace

CAnalysisReport::~CAnalysisReport() = default;

void CAnalysisReport::WriteToViewer(CInfoViewer* pViewer) {
    if (m_pDatabase == nullptr || pViewer == nullptr || m_pDocument == nullptr) return;
    BeginViewer(pViewer);
    BuildAnalysisReport();
}

void CAnalysisReport::WriteToTree() {
    if (m_pDatabase == nullptr || m_pDocument == nullptr || m_pTree == nullptr) return;
    BeginTree();
    BuildAnalysisReport();
}

void CAnalysisReport::BuildAnalysisReport() {
    WriteHeader();
    WriteProjectSettings();
    WriteSlopeAndMaterials();
    WriteSeeders();
    WriteBarriers();
    WriteCollectors();
}

void CAnalysisReport::Line(int nType, LPCSTR format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    Write(CString(buffer.data()), nType);
}

void CAnalysisReport::WriteHeader() {
    Write("Clastor Analysis Information", kTitle);
    Blank();
    Write("Document Name", kSection);
    Blank();
    Write(m_pDocument->GetTitle(), kBody);
}

void CAnalysisReport::WriteProjectSettings() {
    const CTalusimDoc& doc = *m_pDocument;
    Blank();
    Write("Project Settings", kSection);
    Blank();
    Write(doc.IsMetric() ? "Units: Metric" : "Units: Imperial", kBody);
    switch (doc.GetFrictionAngleMode()) {
    case 0: Write("Friction angle: Use friction fngle specified in material editor", kBody); break;
    case 1: Write("Friction angle: Calculate friction angle from RT", kBody); break;
    case 2: Write("Friction angle: Set friction angle to zero ( rolling )", kBody); break;
    default: break;
    }
    double k = 0, c = 0;
    if (doc.GetScaleRnByVelocity(k)) {
        Write("Coefficient of Normal Restitution (RN) scaled based on rock velocity, According to:", kBody);
        Line(kBody, "Rn(scaled) = Rn/(1+(Vrock/K)^2) , where K=%g", k);
    }
    if (doc.GetScaleRnByMass(c)) {
        Write("Coefficient of Normal Restitution (RN) scaled based on rock mass, According to:", kBody);
        Line(kBody, "Rn(scaled) = Rn/(1+(Mrock/C)^2) , where C=%g", c);
    }
    Line(kBody, "Minimum Velocity=%g", doc.GetMinimumVelocity());
    Write(doc.GetConsiderAngularVelocity() ? "Angular Velocity of the rocks CONSIDERED"
                                           : "Angular Velocity of the rocks NOT CONSIDERED",
          kBody);
    Write(doc.GetGenerateSlopeSamples() ? "Standard Deviations USED when generating slope vertices"
                                        : "Standard Deviations NOT USED when generating slope vertices",
          kBody);
    switch (doc.GetRandomMode()) {
    case 3350: Write("Random-number generation: Random", kBody); break;
    case 3351: Write("Random-number generation: Pseudo-random", kBody); break;
    case 3352: Line(kBody, "Random-number generation: Pseudo-random with seed=%d", doc.GetRandomSeed()); break;
    default: break;
    }
}

void CAnalysisReport::WriteSlopeAndMaterials() {
    const auto slopes = Collect<CTalusimSlope>(m_pDatabase, ID_ANY_CATEGORY, CTalusimSlope::kKindId, ID_ANY_GROUP);
    if (slopes.empty()) return;
    const CTalusimSlope& slope = *slopes.front();
    const int n = slope.GetSlopeVertexCount();
    if (n < 2) return;
    Blank();
    Write("Slope", kSection);
    for (int i = 1; i < n; ++i) {
        CPolyVertex a, b;
        slope.GetSlopeVertex(a, i - 1);
        slope.GetSlopeVertex(b, i);
        Blank();
        if (const CTalusimSlopeType* material = slope.GetSegmentMaterial(i))
            Line(kSubHeading, "Segment %d, Material: %s", i, static_cast<LPCSTR>(material->GetName()));
        // The standard deviations of a slope vertex are kept in its two auxiliary values.
        Line(kBody, "Start Point: X mean=%g std dev=%g  Y mean=%g std dev=%g", a.x, a.auxA, a.y, a.auxB);
        Line(kBody, "End Point: X mean=%g std dev=%g  Y mean=%g std dev=%g", b.x, b.auxA, b.y, b.auxB);
    }

    Blank();
    Write("Materials", kSection);
    for (CTalusimSlopeType* material :
         Collect<CTalusimSlopeType>(m_pDatabase, ID_ANY_CATEGORY, CTalusimSlopeType::kKindId, ID_ANY_GROUP)) {
        if (!slope.UsesMaterial(material)) continue;
        Blank();
        Line(kSubHeading, "Material name: %s", static_cast<LPCSTR>(material->GetName()));
        Line(kBody, "Coefficient of Normal Restitution (RN): mean=%g std dev=%g", material->GetRnMean(),
             material->GetRnStdDev());
        Line(kBody, "Coefficient of Tangential Restitution (RT): mean=%g std dev=%g", material->GetRtMean(),
             material->GetRtStdDev());
        Line(kBody, "Friction Angle: mean=%g std dev=%g", material->GetFrictionAngleMean(),
             material->GetFrictionAngleStdDev());
        Line(kBody, "Roughness: std dev=%g", material->GetRoughnessStdDev());
    }
}

void CAnalysisReport::WriteSeeders() {
    const auto seeders =
        Collect<CTalusimRaker>(m_pDatabase, CTalusimBarrier::kCategoryPlaced, CTalusimRaker::kKindId, ID_ANY_GROUP);
    if (seeders.empty()) return;
    Blank();
    Write("Seeders", kSection);
    for (const CTalusimRaker* seeder : seeders) {
        const int count = seeder->GetVertexCount();
        Blank();
        Write(count == 1 ? "Point Seeder" : "Line Seeder", kSubHeading);
        double mean = 0, sd = 0, vyMean = 0, vySd = 0;
        seeder->GetVelocity(mean, vyMean, sd, vySd);
        Line(kBody, "Horizontal Velocity: mean=%g, std dev=%g", mean, sd);
        Line(kBody, "Vertical    Velocity: mean=%g, std dev=%g", vyMean, vySd);
        seeder->GetMass(mean, sd);
        Line(kBody, "Mass: mean=%g, std dev=%g", mean, sd);
        seeder->GetAngularVelocity(mean, sd);
        Line(kBody, "Angular Velocity: mean=%g, std dev=%g", mean, sd);
        if (count == 1) {
            const CVector2D p = seeder->GetVertexPoint(0);
            Line(kBody, "Location: %g, %g", p.x, p.y);
        } else {
            for (int i = 0; i < count; ++i) {
                const CVector2D p = seeder->GetVertexPoint(i);
                Line(kBody, "Location (Vertex %d): %g, %g", i + 1, p.x, p.y);
            }
        }
    }
}

void CAnalysisReport::WriteBarriers() {
    const auto barriers = Collect<CTalusimBarrier>(m_pDatabase, CTalusimBarrier::kCategoryPlaced,
                                                   CTalusimBarrier::kKindId, CTalusimBarrier::kGroupBarrier);
    if (barriers.empty()) return;
    Blank();
    Write("Barriers", kSection);
    for (const CTalusimBarrier* barrier : barriers) {
        Blank();
        Line(kSubHeading, "Barrier name: %s", static_cast<LPCSTR>(barrier->GetName()));
        Line(kBody, "Start Point: %g, %g", barrier->GetX1(), barrier->GetY1());
        Line(kBody, "End  Point: %g, %g", barrier->GetX2(), barrier->GetY2());
        switch (barrier->GetElasticity()) {
        case 2156: Write("Response to Impact: Inelastic (RN=RT=0)", kBody); break;
        case 2157: Write("Response to Impact: Elastic (RN=RT=1)", kBody); break;
        case 2158:
            Line(kBody, "Response to Impact: Custom (RN mean=%g, RN std dev=%g , RT mean=%g, RT std dev=%g)",
                 barrier->GetRnMean(), barrier->GetRnStdDev(), barrier->GetRtMean(), barrier->GetRtStdDev());
            break;
        default: break;
        }
        if (barrier->HasInfiniteCapacity())
            Write("Capacity: Infinite", kBody);
        else
            Line(kBody, "Capacity: %g", barrier->GetCapacity());
    }
}

void CAnalysisReport::WriteCollectors() {
    const auto collectors = Collect<CTalusimBarrier>(m_pDatabase, CTalusimBarrier::kCategoryPlaced,
                                                     CTalusimBarrier::kKindId, CTalusimBarrier::kGroupCollector);
    if (collectors.empty()) return;
    Blank();
    Write("Data Collectors", kSection);
    for (const CTalusimBarrier* collector : collectors) {
        Blank();
        Line(kSubHeading, "Data Collector name: %s", static_cast<LPCSTR>(collector->GetName()));
        Line(kBody, "Start Point: %g, %g", collector->GetX1(), collector->GetY1());
        Line(kBody, "End  Point: %g, %g", collector->GetX2(), collector->GetY2());
    }
}
