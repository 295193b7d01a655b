// Helpers shared by the window tests: answering message boxes and pumping messages.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/MessageBox.h"

// Records every message box and answers it with the next queued answer, or
// with `answer` (IDOK unless a test says otherwise) when none is queued.
struct MessageBoxRecorder {
    static inline std::vector<std::string> texts;
    static inline std::vector<std::string>& messages = texts;   // the document tests' name
    static inline std::vector<UINT> types;
    static inline std::vector<int> answers;
    static inline int answer = IDOK;

    static int Answer(LPCSTR text, UINT type) {
        texts.emplace_back(text != nullptr ? text : "");
        types.push_back(type);
        if (answers.empty()) return answer;
        int a = answers.front();
        answers.erase(answers.begin());
        return a;
    }

    MessageBoxRecorder() {
        texts.clear();
        types.clear();
        answers.clear();
        answer = IDOK;
        previous = AfxSetMessageBoxHook(&Answer);
    }
    ~MessageBoxRecorder() { AfxSetMessageBoxHook(previous); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

private:
    AfxMessageBoxHook previous = nullptr;
};

// Dispatches whatever is queued for this thread, without blocking.
inline void PumpPending() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue; // a closed main window must not end later loops
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Pumps messages until the condition holds or about two seconds have passed.
template <class Condition>
bool PumpUntil(Condition done) {
    for (int i = 0; i < 200 && !done(); ++i) {
        PumpPending();
        if (done()) break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}
