#pragma once
// The application's dark style sheet, applied once at start-up.

#include <QString>

QString applicationStyleSheet();
