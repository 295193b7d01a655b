#include <gtest/gtest.h>
#include <string>
#include "framework/Exception.h"
#include "framework/Object.h"

namespace {

class CShape : public CObject
{
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CDisk : public CShape
{
    DECLARE_DYNCREATE(CDisk)
public:
    int m_radius = 7;
};
IMPLEMENT_DYNCREATE(CDisk, CShape)

} // namespace

TEST(Object, RuntimeClassAndKindOf)
{
    CDisk disk;
    EXPECT_STREQ(disk.GetRuntimeClass()->m_lpszClassName, "CDisk");
    EXPECT_TRUE(disk.IsKindOf(RUNTIME_CLASS(CDisk)));
    EXPECT_TRUE(disk.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(disk.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(disk.IsKindOf(RUNTIME_CLASS(CException)));
    EXPECT_FALSE(disk.IsSerializable());
    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);

    CObject* made = RUNTIME_CLASS(CDisk)->CreateObject();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CDisk)));
    EXPECT_EQ(static_cast<CDisk*>(made)->m_radius, 7);
    delete made;
}

TEST(Exception, ThrownByPointerAndDeleted)
{
    try {
        AfxThrowFileException(CFileException::OsErrorToException(ERROR_SHARING_VIOLATION),
                              ERROR_SHARING_VIOLATION, "C:\\a.cla");
    } catch (CException* e) {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
        auto* fe = static_cast<CFileException*>(e);
        EXPECT_EQ(fe->m_cause, CFileException::sharingViolation);
        EXPECT_EQ(fe->m_lOsError, ERROR_SHARING_VIOLATION);
        char text[200];
        EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
        EXPECT_NE(strstr(text, "C:\\a.cla"), nullptr);
        char tiny[4];
        e->GetErrorMessage(tiny, sizeof tiny);
        EXPECT_EQ(strlen(tiny), 3u);
        e->Delete();
    }
    // The shared memory exception survives Delete() and can be thrown again.
    for (int i = 0; i < 2; ++i) {
        try {
            AfxThrowMemoryException();
        } catch (CMemoryException* e) {
            e->Delete();
        }
    }
    EXPECT_THROW(AfxThrowArchiveException(CArchiveException::badClass), CArchiveException*);
}

namespace {
std::string g_reported;
UINT g_reportedType = 0;
int RecordReport(LPCSTR text, UINT type)
{
    g_reported = text;
    g_reportedType = type;
    return IDOK;
}
} // namespace

TEST(Exception, ReportErrorShowsTheMessageThroughTheHandler)
{
    AfxSetReportErrorHandler(RecordReport);
    CArchiveException archive(CArchiveException::endOfFile, "C:\\old.cla");
    EXPECT_EQ(archive.ReportError(MB_ICONEXCLAMATION), IDOK);
    EXPECT_EQ(g_reported, "Unexpected end of C:\\old.cla.");
    EXPECT_EQ(g_reportedType, static_cast<UINT>(MB_ICONEXCLAMATION));
    CUserException user;  // no text of its own
    char text[10] = "x";
    EXPECT_FALSE(user.GetErrorMessage(text, sizeof text));
    EXPECT_STREQ(text, "");
    user.ReportError();
    EXPECT_FALSE(g_reported.empty());
    AfxSetReportErrorHandler(nullptr);
}

TEST(Exception, WindowsErrorsMapToCauses)
{
    struct Case { LONG os; int cause; };
    const Case cases[] = {
        {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_HANDLE_EOF, CFileException::endOfFile},
        {ERROR_INVALID_HANDLE, CFileException::invalidFile},
        {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
        {12345, CFileException::generic},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFileException::OsErrorToException(c.os), c.cause) << c.os;
}
