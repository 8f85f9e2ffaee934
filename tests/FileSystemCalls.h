#pragma once
// Counts the file-system calls (open, stat, access and their relatives) that
// the calling thread makes between start and stop. It stands in for the C
// library's entry points, so it is linked only into the test that uses it,
// and only on Linux.

#ifdef __cplusplus
extern "C" {
#endif

void fsCallsStart(void);
// Returns the number of calls since fsCallsStart().
int fsCallsStop(void);
// The paths of the first calls counted (up to 8), for the failure message.
const char *fsCallsPath(int index);

#ifdef __cplusplus
}
#endif
