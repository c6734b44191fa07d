#pragma once
// The program's run, as main() starts it: the application's title, icon and font, then the windows of
// the whole run in their order, and the event loop until the start window is closed.

// Needs the QApplication made; returns the exit code, always 0. An exception that escapes start-up is
// shown in the exception box first.
int RunProgram();
