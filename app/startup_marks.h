#pragma once
// Marks between the steps of start-up. Only the bench build (quillet_marked, see
// bench/startup.sh) records them; in the program they are nothing.
#ifdef QUILLET_STARTUP_MARKS
// Records the time and the working set after the named step (no blanks in the name).
void StartupMark(const char* step);
// Writes the marks so far to the file named by QUILLET_STARTUP_MARKS.
void StartupMarksWrite();
#define QUILLET_MARK(step) StartupMark(step)
#define QUILLET_MARKS_WRITE() StartupMarksWrite()
#else
#define QUILLET_MARK(step) static_cast<void>(0)
#define QUILLET_MARKS_WRITE() static_cast<void>(0)
#endif
