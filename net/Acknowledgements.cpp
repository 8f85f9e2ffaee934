#include "net/Acknowledgements.h"

void Acknowledgements::expect(int n)
{
    s_noted = 0;
    s_expected = n;
}

void Acknowledgements::note()
{
    ++s_noted;
}

bool Acknowledgements::takeCompletion()
{
    if (s_expected == 0 || s_noted != s_expected)
        return false;
    s_expected = 0;
    return true;
}

void Acknowledgements::reset()
{
    s_noted = 0;
    s_expected = 0;
}
