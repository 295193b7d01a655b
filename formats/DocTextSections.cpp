// The sections of the document text file that carry model objects: seeders,
// materials, the slope, rock paths, collectors and barriers.
#include "model/DocumentDependencies.h"

#include <memory>
#include "formats/DocumentTextFile.h"

namespace {

// Material number that stands for "no material" on a slope vertex.
const int kNoMaterial = 0;

// The count that opens a section. A count line without a number counts
// nothing; a count below zero or beyond the lines left stops the reading.
bool ReadSectionCount(CDocumentTextReader& file, int& count)
{
    std::string line;
    if (!file.ReadNextDataLine(line))
        return false;
    if (!ScanInt(line, count))
        count = 0;
    return count >= 0 && static_cast<std::size_t>(count) <= file.LinesLeft();
}

void WriteHits(CDocumentTextWriter& file, CTalusimBarrier* object)
{
    CArray<CBarrierHit, const CBarrierHit&> hits;
    object->CopyHits(hits);
    file.Count("* Number of Barrier Hits", (int)hits.GetSize());
    for (int i = 0; i < hits.GetSize(); ++i) {
        const CBarrierHit& h = hits[i];
        CTalusimRockPath* path = h.GetRockPath();
        file.Values(' ', h.GetX(), h.GetY(), h.GetVelocity(), h.GetAngularVelocity(), h.GetTranslationalEnergy(),
                    h.GetRotationalEnergy(), h.GetMass(), path ? path->GetFileId() : 0, h.IsValid() ? 1 : 0);
    }
}

}  // namespace

bool CTalusimDoc::IsStorableName(const CString& name)
{
    if (name.IsEmpty())
        return false;
    if (name[0] == '*' || name == kSectionTrailer)
        return false;
    return name.Find('\r') < 0 && name.Find('\n') < 0;
}

bool ReadHits(CTalusimDoc& doc, CDocumentTextReader& file, CTalusimBarrier* object)
{
    int count = 0;
    if (!file.ReadCount(count))
        return false;
    for (int i = 0; i < count; ++i) {
        double v[9];
        if (!file.ReadFields("rrrrrrrii", v))
            return false;
        // A number that matches no path gives a hit without a path.
        CBarrierHit hit;
        hit.Set(v[0], v[1], v[2], v[3], v[4], v[5], v[6], doc.FindRockPathByFileId(static_cast<int>(v[7])), 0.0, 0.0,
                0);
        // Every stored hit is kept, none dropped as a repeat.
        object->AddHit(hit, false);
    }
    return true;
}

// ---- seeders -----------------------------------------------------------------

void CTalusimDoc::WriteSeedersSection(CDocumentTextWriter& file, int /*version*/)
{
    auto seeders = CollectAs<CTalusimRaker>(m_database, CAT_PLACED, KIND_SEEDER, ID_ANY_GROUP);
    file.Count("* Number of Seeders", (int)seeders.size());
    for (CTalusimRaker* s : seeders) {
        double vx, vy, vxSd, vySd, m, mSd, r, rSd, w, wSd;
        s->GetVelocity(vx, vy, vxSd, vySd);
        s->GetMass(m, mSd);
        s->GetRadius(r, rSd);
        s->GetAngularVelocity(w, wSd);
        file.Values(' ', vx, vxSd);
        file.Values(' ', vy, vySd);
        file.Values(' ', m, mSd);
        file.Values(' ', r, rSd);
        file.Values(' ', w, wSd);
        file.Count("* Number of Seeder Vertices", s->GetVertexCount());
        for (int i = 0; i < s->GetVertexCount(); ++i) {
            CVector2D p = s->GetVertexPoint(i);
            file.Values(' ', p.x, p.y);
        }
    }
}

bool CTalusimDoc::ReadSeedersSection(CDocumentTextReader& file, int /*version*/)
{
    int count = 0;
    if (!ReadSectionCount(file, count))
        return false;
    for (int k = 0; k < count; ++k) {
        double v[5][2];
        for (auto& pair : v)
            if (!file.ReadReals(pair, 2))
                return false;
        int vertices = 0;
        if (!file.ReadCount(vertices))
            return false;
        auto seeder = std::make_unique<CTalusimRaker>();
        seeder->SetCategoryId(CAT_PLACED);
        seeder->SetVelocity(v[0][0], v[1][0], v[0][1], v[1][1]);
        seeder->SetMass(v[2][0], v[2][1]);
        seeder->SetRadius(v[3][0], v[3][1]);
        seeder->SetAngularVelocity(v[4][0], v[4][1]);
        seeder->SetGroupId(vertices == 1 ? GROUP_POINT_SEEDER : GROUP_LINE_SEEDER);
        for (int i = 0; i < vertices; ++i) {
            double p[2];
            if (!file.ReadReals(p, 2))
                return false;
            seeder->AddPoint(p[0], p[1]);
        }
        m_database.AddEntity(seeder.release(), false);
    }
    return true;
}

// ---- materials -----------------------------------------------------------------

void CTalusimDoc::WriteMaterialsSection(CDocumentTextWriter& file, int /*version*/)
{
    // Every material is written, however many there are: a reader needs the
    // count line, and the slope refers to the materials by number.
    auto materials = CollectAs<CTalusimSlopeType>(m_database, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
    file.Line("* Slope Materials");
    file.Count("* Number of Materials", (int)materials.size());
    for (CTalusimSlopeType* m : materials) {
        file.Line(OneLine(m->GetName()));
        file.Linef("%d", m->GetFileId());
        file.Linef("%d", m->HasDefaultValues() ? 1 : 0);
        file.Colour(m->GetColour());
        file.Values('\t', m->GetRnMean(), m->GetRnStdDev(), m->GetRtMean(), m->GetRtStdDev());
        file.Values('\t', m->GetFrictionAngleMean(), m->GetFrictionAngleStdDev(), m->GetRoughnessStdDev());
    }
}

bool CTalusimDoc::ReadMaterialsSection(CDocumentTextReader& file, int /*version*/)
{
    CreateDefaultMaterials();
    // Number 0 marks a material that no record of this file has claimed yet.
    for (auto* m : CollectAs<CTalusimSlopeType>(m_database, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP))
        m->SetFileId(0);
    int count = 0;
    if (!ReadSectionCount(file, count))
        return false;
    for (int k = 0; k < count; ++k) {
        std::string name;
        if (!file.ReadNameLine(name))
            return false;
        int id = 0, defaults = 0;
        COLORREF colour = 0;
        double rn[4], friction[3];
        if (!file.ReadInt(id) || !file.ReadInt(defaults) || !file.ReadColour(colour) || !file.ReadReals(rn, 4) ||
            !file.ReadReals(friction, 3))
            return false;
        if (!CreateOrUpdateMaterial(CString(name.c_str()), colour, rn[0], rn[1], rn[2], rn[3], friction[0],
                                    friction[1], friction[2], id))
            return false;
    }
    return true;
}

CTalusimSlopeType* CTalusimDoc::CreateOrUpdateMaterial(const CString& name, COLORREF colour, double rnMean,
                                                       double rnSd, double rtMean, double rtSd, double frictionMean,
                                                       double frictionSd, double roughnessSd, int fileId)
{
    // Only a built-in material is matched by name, and only once: any other
    // record is a material of its own, so that two materials of one name stay
    // two and the slope's references to them both resolve.
    CTalusimSlopeType* material = nullptr;
    for (auto* m : CollectAs<CTalusimSlopeType>(m_database, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP)) {
        if (m->HasDefaultValues() && m->GetFileId() == 0 && m->GetName() == name) {
            material = m;
            break;
        }
    }
    if (!material) {
        material = new CTalusimSlopeType;
        material->SetName(name);
        m_database.AddEntity(material, false);
    }
    material->SetColour(colour);
    material->SetRnMean(rnMean);
    material->SetRnStdDev(rnSd);
    material->SetRtMean(rtMean);
    material->SetRtStdDev(rtSd);
    material->SetFrictionAngleMean(frictionMean);
    material->SetFrictionAngleStdDev(frictionSd);
    material->SetRoughnessStdDev(roughnessSd);
    material->SetFileId(fileId);
    return material;
}

CTalusimSlopeType* CTalusimDoc::FindMaterialByFileId(int id)
{
    auto materials = CollectAs<CTalusimSlopeType>(m_database, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
    if (materials.size() < 6)
        return nullptr;
    for (auto* m : materials)
        if (m->GetFileId() == id)
            return m;
    return nullptr;
}

// ---- slope -----------------------------------------------------------------------

void CTalusimDoc::WriteSlopeSection(CDocumentTextWriter& file, int /*version*/)
{
    auto slopes = CollectAs<CTalusimSlope>(m_database, ID_ANY_CATEGORY, KIND_SLOPE, ID_ANY_GROUP);
    if (slopes.size() != 1)
        return;
    CTalusimSlope* slope = slopes.front();
    file.Line("* Slope");
    file.Count("* Number of Slope Vertices", slope->GetVertexCount());
    for (int i = 0; i < slope->GetVertexCount(); ++i) {
        CPolyVertex v = slope->GetVertex(i);
        file.Values(' ', v.x, v.y, v.auxA, v.auxB);
        CTalusimSlopeType* m = slope->GetSegmentMaterial(i);
        file.Line(m ? OneLine(m->GetName()) : std::string());
        file.Linef("%d", m ? m->GetFileId() : kNoMaterial);
    }
}

bool CTalusimDoc::ReadSlopeSection(CDocumentTextReader& file, int /*version*/)
{
    if (!m_pSlope) {
        m_pSlope = new CTalusimSlope;
        m_database.AddEntity(m_pSlope, false);
    }
    int count = 0;
    if (!ReadSectionCount(file, count))
        return false;
    for (int i = 0; i < count; ++i) {
        double v[4];
        int id = 0;
        std::string name;
        if (!file.ReadReals(v, 4))
            return false;
        if (!file.ReadNameLine(name))  // the material's name, for people only
            return false;
        if (!file.ReadInt(id))
            return false;
        CPolyVertex vertex;
        vertex.x = v[0];
        vertex.y = v[1];
        vertex.auxA = v[2];  // standard deviations of x and y
        vertex.auxB = v[3];
        m_pSlope->AddVertex(vertex);
        // Materials are read before the slope; a vertex without a material
        // keeps none, and is refused only when a computation needs one.
        if (CollectEntities(m_database, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP).size() < 6)
            return false;
        CTalusimSlopeType* material = nullptr;
        if (id != kNoMaterial) {
            material = FindMaterialByFileId(id);
            if (!material)
                return false;
        }
        m_pSlope->SetSegmentMaterial(i, material);
    }
    m_pSlope->Show();
    return true;
}

// ---- rock paths ---------------------------------------------------------------------

void CTalusimDoc::WriteRockPathsSection(CDocumentTextWriter& file, int /*version*/)
{
    auto paths = CollectAs<CTalusimRockPath>(m_database, ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP);
    file.Count("* Number of Rock Paths", (int)paths.size());
    for (CTalusimRockPath* p : paths) {
        file.Linef("%d", p->GetFileId());
        const int segments = p->GetSegmentUpperBound() + 1;
        file.Count("* Number of Segments", segments);
        for (int i = 0; i < segments; ++i) {
            bool straight = true;
            double x0, y0, x1, y1, T, g, vx, vy;
            p->GetSegment(i)->GetParameters(straight, x0, y0, x1, y1, T, g, vx, vy);
            file.Values(' ', straight ? 1 : 0, x0, y0, x1, y1, T, g, vx, vy);
        }
    }
}

bool CTalusimDoc::ReadRockPathsSection(CDocumentTextReader& file, int /*version*/)
{
    int count = 0;
    if (!file.ReadCount(count))
        return false;
    // Sorting the drawing as each path arrives would walk it once per path:
    // the section's paths are sorted in once, when it ends.
    struct SortAtEnd {
        explicit SortAtEnd(CREGDatabase& db) : m_db(db) { m_db.SetAutoSort(false); }
        ~SortAtEnd()
        {
            m_db.SetAutoSort(true);
            m_db.SortEntities();
        }
        CREGDatabase& m_db;
    } sorting(m_database);
    for (int k = 0; k < count; ++k) {
        int id = 0, segments = 0;
        if (!file.ReadInt(id) || !file.ReadCount(segments))
            return false;
        auto path = std::make_unique<CTalusimRockPath>();
        path->SetFileId(id);
        // The pieces go where a computation puts them: in the document's
        // blocks, not in an allocation of each path's own.
        path->UseStore(&m_pathSegments);
        for (int i = 0; i < segments; ++i) {
            double v[9];
            if (!file.ReadFields("irrrrrrrr", v))
                return false;
            if (v[0] != 0)
                path->AddStraightSegment(v[1], v[2], v[3], v[4], v[5], v[6]);
            else
                path->AddCurvedSegment(v[1], v[2], v[3], v[4], v[7], v[8], v[5], v[6]);
        }
        CTalusimRockPath* added = path.release();
        m_database.AddEntity(added, false);
        m_pathsByFileId.emplace(id, added);
    }
    return true;
}

CTalusimRockPath* CTalusimDoc::FindRockPathByFileId(int id)
{
    if (!m_pathsByFileId.empty()) {
        auto it = m_pathsByFileId.find(id);
        return it == m_pathsByFileId.end() ? nullptr : it->second;
    }
    for (auto* p : CollectAs<CTalusimRockPath>(m_database, ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP))
        if (p->GetFileId() == id)
            return p;
    return nullptr;
}

// ---- collectors and barriers ------------------------------------------------------------

void CTalusimDoc::WriteCollectorsSection(CDocumentTextWriter& file, int version)
{
    auto collectors = CollectAs<CTalusimBarrier>(m_database, CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR);
    file.Count("* Number of Collectors", (int)collectors.size());
    for (CTalusimBarrier* c : collectors) {
        CVector2D a = c->GetStartPoint(), b = c->GetEndPoint();
        file.Line(OneLine(c->GetName()));
        file.Values(' ', a.x, a.y, b.x, b.y);
        if (version > 1)
            WriteHits(file, c);
    }
}

bool CTalusimDoc::ReadCollectorsSection(CDocumentTextReader& file, int version)
{
    int count = 0;
    if (!ReadSectionCount(file, count))
        return false;
    for (int k = 0; k < count; ++k) {
        std::string name;
        double p[4];
        if (!file.ReadNameLine(name) || !file.ReadReals(p, 4))
            return false;
        auto* c = CTalusimBarrier::NewOfGroup(CString(name.c_str()), CAT_PLACED, GROUP_COLLECTOR);
        c->SetPoints(p[0], p[1], p[2], p[3]);
        m_database.AddEntity(c, false);
        if (version > 1 && !ReadHits(*this, file, c))
            return false;
    }
    return true;
}

void CTalusimDoc::WriteBarriersSection(CDocumentTextWriter& file, int /*version*/)
{
    auto barriers = CollectAs<CTalusimBarrier>(m_database, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER);
    file.Count("* Number of Barriers", (int)barriers.size());
    for (CTalusimBarrier* b : barriers) {
        CVector2D p = b->GetStartPoint(), q = b->GetEndPoint();
        file.Line(OneLine(b->GetName()));
        file.Values(' ', p.x, p.y, q.x, q.y);
        file.Line("* Type of Elasticity");
        int e = b->GetElasticity();
        file.Linef("%d", e == ELASTICITY_ELASTIC ? 2 : e == ELASTICITY_CUSTOM ? 3 : 1);
        file.Values('\t', b->HasInfiniteCapacity() ? 1 : 0, b->GetCapacity());
        file.Values('\t', b->GetRnMean(), b->GetRnStdDev(), b->GetRtMean(), b->GetRtStdDev());
        WriteHits(file, b);
    }
}

bool CTalusimDoc::ReadBarriersSection(CDocumentTextReader& file, int /*version*/)
{
    int count = 0;
    if (!ReadSectionCount(file, count))
        return false;
    for (int k = 0; k < count; ++k) {
        std::string name;
        double p[4], capacity[2], coefficients[4];
        int elasticity = 0;
        if (!file.ReadNameLine(name) || !file.ReadReals(p, 4) || !file.ReadInt(elasticity))
            return false;
        if (elasticity < 1 || elasticity > 3)
            return false;
        if (!file.ReadFields("ir", capacity) || !file.ReadReals(coefficients, 4))
            return false;
        auto* b = CTalusimBarrier::NewOfGroup(CString(name.c_str()), CAT_PLACED, GROUP_BARRIER);
        b->SetPoints(p[0], p[1], p[2], p[3]);
        b->SetElasticity(ELASTICITY_INELASTIC + elasticity - 1);
        b->SetCapacity(capacity[1]);
        b->SetInfiniteCapacity(capacity[0] > 0);
        b->SetCustomCoefficients(coefficients[0], coefficients[1], coefficients[2], coefficients[3]);
        m_database.AddEntity(b, false);
        if (!ReadHits(*this, file, b))
            return false;
    }
    return true;
}

