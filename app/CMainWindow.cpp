#include "app/CMainWindow.h"
CMainWindow::CMainWindow(QWidget *parent) : QMainWindow(parent) {}
