#pragma once
// The station-wide count of command acknowledgements: a window that sends a
// one-shot command to n modules expects n, the reply builder notes each module
// that acknowledges, and the main window takes the completion to announce it.
// GUI thread only.

class Acknowledgements
{
public:
    // Starts counting anew for n acknowledgements; 0 expects none.
    static void expect(int n);
    static void note();
    // True once when exactly the expected number has come; the wait then ends.
    static bool takeCompletion();
    static int noted() { return s_noted; }
    static int expected() { return s_expected; }
    static void reset();

private:
    static inline int s_noted = 0;
    static inline int s_expected = 0;
};
