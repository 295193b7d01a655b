// What happens to an exception that a message or command handler lets out.
// Win32 calls the window procedures from its own code, which a C++ exception
// must never cross: it would end the program. The window procedure, the
// dialog procedure and the message loop therefore catch everything, tell the
// user, and go on with the next message; whatever the handler had not done
// stays undone.
#pragma once

// Call only inside a catch block: reports the exception being handled in a
// message box. A library exception shows its own message (a user exception
// shows nothing, the user was told already) and is deleted; running out of
// memory says so; any other exception reports that the command failed,
// followed by its own text when it has one. Never throws.
void AfxReportHandlerFailure() noexcept;
