#pragma once

class QApplication;

namespace zelkor {

class ProgramParts;

// Runs the program from start-up to shutdown in its fixed order: the program's directory made
// current; the pattern matcher, then the page automation; the shutdown routine armed; the main
// window created hidden; its created event (skin 2, shown, first status text); the event loop until
// the window closes; then the shutdown routine: pattern matcher destroyed, the selection
// released, page automation destroyed. Returns the event loop's exit code.
int RunProgram(QApplication& application, ProgramParts& parts);

}  // namespace zelkor
