#pragma once
// ASCII DXF files, in the small subset the program exchanges: LINE, POLYLINE
// (with its VERTEX entities and SEQEND) and LWPOLYLINE are read as straight
// segments and chained into polylines; a complete minimal drawing of 2D
// POLYLINE entities is written. The file is opened and closed by the user of
// the class.
//
// Reading never trusts the file: an entity ends at the next group 0, an
// entity without the coordinates it needs gives no segment, and no count read
// from the file sizes anything. A file that breaks the pair structure (a group
// code that is no number, a number value that is none, an end before the EOF
// marker) stops the reading; GetReadError then says why and no polyline is
// handed out.

#include <windows.h>
#include <vector>
#include "framework/String.h"
#include "geometry/Vector2D.h"
#include "formats/DxfChain.h"

class CStdioFile;
class CFileDialog;

class CDxfFile
{
public:
    // What NextEntity finds.
    enum EntityKind {
        entEnd = 0,         // end of the file (or of readable data)
        entPolyline = 1,
        entLine = 2,
        entVertex = 3,      // only inside a POLYLINE
        entSeqEnd = 4,      // only inside a POLYLINE
        entLwPolyline = 6,
        entOther = 7,       // inside a POLYLINE: another entity, left unread
    };

    // The file is not owned; the owner data is the user's and is not used here.
    explicit CDxfFile(CStdioFile* pFile, void* pOwnerData = nullptr);
    virtual ~CDxfFile();
    CDxfFile(const CDxfFile&) = delete;
    CDxfFile& operator=(const CDxfFile&) = delete;

    // The whole-file import and export of a derived class.
    virtual bool ReadPolylines() { return false; }
    virtual bool WriteToFile(CFileDialog* /*pDialog*/) { return false; }

    // Reading ---------------------------------------------------------------

    // Hands out the chained polylines of the file one by one: 1 with the next
    // one (nSegments + 1 points), 0 after the last, when the hand-out starts
    // over. With bBuildAndRelease the first call reads and chains the whole
    // file and the call that returns 0 releases the polylines; the points stay
    // valid until then. A file that could not be read hands out nothing (see
    // GetReadError).
    int GetNextPolyline(const CVector2D*& pPoints, int& nSegments, CString& strLayer, bool& bClosed,
                        bool bBuildAndRelease = true);

    // The next straight segment of the file, with the layer of the entity or
    // vertex it comes from: 1, or 0 when the file has no more.
    int ReadSegment(double& x1, double& y1, double& x2, double& y2, CString& strLayer);

    // Reads on to the next entity of interest (see EntityKind); the body of a
    // found entity is left for its reader.
    int NextEntity();

    // Reads the body of an LWPOLYLINE into the LWPOLYLINE members.
    void ReadLwPolyline();

    // Why reading stopped before the file's EOF marker; empty when it did not.
    const CString& GetReadError() const { return m_strReadError; }

    // Writing ---------------------------------------------------------------
    // In this order: WriteHeader, WriteTables, BeginEntities, any number of
    // WritePolyline, WriteEnd. Write failures are the file's exceptions.

    void WriteHeader(double xmin, double ymin, double xmax, double ymax);
    void WriteTables();
    void BeginEntities();
    // Writes nothing for fewer than two points.
    void WritePolyline(const CVector2D* pPoints, int nCount, COLORREF colour, LPCSTR lpszLayer);
    void WriteEnd();

    // The DXF colour number whose colour is nearest to the given one.
    static int NearestColourIndex(COLORREF colour);

protected:
    CStdioFile* m_pFile;
    void* m_pOwnerData;

    // 0 between entities, 1 inside a POLYLINE, 2 inside an LWPOLYLINE.
    int m_nState = 0;

    // The LWPOLYLINE being read: x, y, x, y, ...
    std::vector<double> m_lwCoords;
    int m_nLwVertexCount = 0;  // its group 90; 0 when it has none
    int m_bLwClosed = 0;
    CString m_strLwLayer = "0";

private:
    // Group pairs.
    bool ReadPair(int& nCode, CString& strValue);
    void UnreadPair() { m_bPairPending = true; }
    bool ReadTextLine(CString& strLine);
    void Fail(const CString& strWhy);
    bool ParseNumber(const CString& strValue, double& value);
    bool ParseInteger(const CString& strValue, long long& value);

    // Hands each group of the current entity to take(code, value), up to the next group 0,
    // which stays unread. False when take refused a group (it stops there).
    template <class Take>
    bool ReadBody(Take take);
    // Entity bodies: each reads up to the next group 0 and leaves it unread.
    bool ReadLineBody(CVector2D& a, CVector2D& b, CString& strLayer);
    bool ReadPolylineBody(CString& strLayer, bool& bClosed);
    bool ReadVertexBody(CVector2D& p, CString& strLayer);
    void SkipBody();

    void BuildStore();
    void WriteLines(std::initializer_list<LPCSTR> lines);
    void WriteNumber(double value);
    void WriteInteger(int value);

    // Pair reader.
    int m_nCode = 0;
    CString m_strValue;
    bool m_bPairPending = false;
    bool m_bAtEnd = false;
    long m_nLine = 0;
    CString m_strReadError;

    // POLYLINE being read.
    CVector2D m_polyStart{0, 0};
    CVector2D m_polyLast{0, 0};
    int m_nPolyVertices = 0;
    bool m_bPolyClosed = false;
    CString m_strPolyLayer;

    // Next LWPOLYLINE vertex to hand out.
    size_t m_nLwNext = 0;

    // The chained polylines and the hand-out position.
    std::vector<CDxfPolyline> m_store;
    bool m_bStoreBuilt = false;
    size_t m_nHandOut = 0;
};
