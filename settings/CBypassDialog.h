#pragma once
// "List of bypass frequencies": asks one module for its bypass map, lists it
// as frequency ranges, deletes a range on the module and saves the list as a
// bypass file.

#include <QDialog>
#include <QTimer>

#include <memory>

namespace Ui {
class CBypassDialog;
}
class CMasterDevice;
class QMenu;
class QTreeWidgetItem;

class CBypassDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int RefreshIntervalMs = 100;
    // Ticks between two drawings of the waiting row.
    static constexpr int WaitTicks = 30;

    CBypassDialog(unsigned char module, CMasterDevice *device, unsigned char mask,
                  QWidget *parent = nullptr);
    ~CBypassDialog() override;

    bool isWaiting() const { return m_timer.isActive(); }

public slots:
    void OnTreeContextMenu(QPoint pos);
    void OnDeleteBypassString();
    void OnTimer();
    void OnSaveButton();

protected:
    // Runs the context menu; tests look at its entries instead.
    virtual void execMenu(QMenu &menu, const QPoint &globalPos);

    void changeEvent(QEvent *event) override;

private:
    void buildRows();
    QTreeWidgetItem *addRow(const QStringList &texts);

    QTimer m_timer;
    unsigned char m_module;
    CMasterDevice *m_device;
    unsigned char m_mask;
    int m_waitCounter = WaitTicks;
    std::unique_ptr<Ui::CBypassDialog> m_ui;
};
