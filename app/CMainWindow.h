#pragma once
// The station's one top-level window (being built).
#include <QMainWindow>
class CMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit CMainWindow(QWidget *parent = nullptr);
};
