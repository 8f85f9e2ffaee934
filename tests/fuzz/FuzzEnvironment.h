#pragma once
// What every fuzz target shares: the entry points libFuzzer calls hand each input
// to the target's fuzzOne in a process kept away from the operator's files.

#include <QByteArray>

// Stops the run (libFuzzer keeps the input as a crash artifact) when an invariant does not hold.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void() : FuzzEnvironment::fail(#condition, __FILE__, __LINE__))

// Defined by each target: checks one input (a copy on the heap of exactly its size).
void fuzzOne(const QByteArray &input);

class FuzzEnvironment
{
public:
    [[noreturn]] static void fail(const char *condition, const char *file, int line);
};
