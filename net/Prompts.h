#pragma once
// What the station asks the operator or tells them in a modal dialog: message
// boxes, yes/no questions and file dialogs. Every window goes through current(),
// so the tests replace all of them with one fake.

#include <QMessageBox>
#include <QString>

class QWidget;

class Prompts
{
public:
    virtual ~Prompts();

    virtual void message(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                         const QString &text);
    // True for Yes.
    virtual bool question(QWidget *parent, const QString &title, const QString &text);
    // Empty when the operator cancels.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter);
    // selectedFilter, when given, holds the filter to start with and receives the chosen one.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter, QString *selectedFilter = nullptr);

    static Prompts &current();
    // Installs prompts (not owned); nullptr puts Qt's dialogs back.
    static void setCurrent(Prompts *prompts);
};
