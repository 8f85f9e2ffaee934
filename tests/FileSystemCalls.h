#pragma once
// Counts the file-system calls (open, stat, access and their relatives) of the
// calling thread; it stands in for the C library's entry points (Linux only).

#ifdef __cplusplus
extern "C" {
#endif

void fsCallsStart(void);
int fsCallsStop(void);
// The paths of the first calls counted (up to 8), for the failure message.
const char *fsCallsPath(int index);

#ifdef __cplusplus
}
#endif
