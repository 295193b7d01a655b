#pragma once
// Debug-only checks of the class library. Release builds keep the expressions
// type-checked (so a variable used only in a check raises no warning) but never
// evaluate them; VERIFY always evaluates its argument because callers rely on
// its side effect.

#define ASSERT(f) ((void)sizeof(!(f)))
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(p) ((void)sizeof(p))
#define ASSERT_KINDOF(class_name, p) ((void)sizeof(p))

// Trace output is dropped; the function form accepts printf-style arguments.
inline void AfxTrace(const char*, ...) {}
#define TRACE AfxTrace
#define TRACE0(s) ((void)0)
#define TRACE1(s, a) ((void)sizeof(a))
#define TRACE2(s, a, b) ((void)sizeof(a), (void)sizeof(b))
#define TRACE3(s, a, b, c) ((void)sizeof(a), (void)sizeof(b), (void)sizeof(c))
