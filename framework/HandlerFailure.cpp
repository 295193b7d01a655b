#include "framework/HandlerFailure.h"

#include <exception>
#include <new>

#include "framework/AfxRes.h"
#include "framework/Exception.h"
#include "framework/MessageBox.h"
#include "framework/String.h"
#include "framework/WinApp.h"

void AfxReportHandlerFailure() noexcept {
    try {
        try {
            throw;
        } catch (CException* e) {
            if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) e->ReportError(MB_ICONEXCLAMATION);
            e->Delete();
        } catch (const std::bad_alloc&) {
            AfxMessageBox(AfxLoadLibraryString(AFX_IDP_FAILED_MEMORY_ALLOC), MB_ICONEXCLAMATION);
        } catch (const std::exception& e) {
            CString text = AfxLoadLibraryString(AFX_IDP_COMMAND_FAILURE);
            const char* what = e.what();
            if (what != nullptr && *what != '\0') text += CString("\n") + what;
            AfxMessageBox(text, MB_ICONEXCLAMATION);
        } catch (...) {
            AfxMessageBox(AfxLoadLibraryString(AFX_IDP_COMMAND_FAILURE), MB_ICONEXCLAMATION);
        }
    } catch (...) {
        // Not even the report could be shown (memory is that short): the
        // program goes on without it rather than end.
    }
}
