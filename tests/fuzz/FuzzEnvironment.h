#pragma once
// What every fuzz target sets up before its first input, and how it fails.

// Stops the run (libFuzzer keeps the input as a crash artifact) when an invariant does not hold.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void() : FuzzEnvironment::fail(#condition, __FILE__, __LINE__))

class FuzzEnvironment
{
public:
    // Points HOME, the standard locations and the settings store at a temporary
    // folder, so that no input can reach the operator's files, and the time zone
    // at UTC. Call from LLVMFuzzerInitialize.
    static void isolate();
    [[noreturn]] static void fail(const char *condition, const char *file, int line);
};
