#pragma once
// The operator's manual: one built-in HTML page in a browser with
// find-as-you-type. Created once, shown and hidden by the operator; it has no
// close button, only "Hide".

#include <QUrl>
#include <QWidget>

#include <memory>

namespace Ui {
class CManualWindow;
}

class CManualWindow : public QWidget
{
    Q_OBJECT

public:
    // The page is the built-in manual unless a test passes another one.
    explicit CManualWindow(QWidget *parent = nullptr,
                           const QUrl &source = QUrl(QStringLiteral("qrc:/OSPREY.htm")));
    ~CManualWindow() override;

public slots:
    void OnFindEdit(const QString &strText);

protected:
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<Ui::CManualWindow> m_ui;
};
