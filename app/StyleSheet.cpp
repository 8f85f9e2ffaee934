#include "app/StyleSheet.h"

#include "app/StationColours.h"

#include <utility>

QString applicationStyleSheet()
{
    using namespace StationColours;
    // The colours come from StationColours, where their contrast is checked.
    QString sheet = QStringLiteral(R"(
QWidget {
    background-color: {window};
    color: {windowText};
    border-style: solid;
    border-color: {border};
    border-radius: 4px;
}

QPushButton, QToolButton {
    border: 1px solid {border};
    border-radius: 4px;
    padding: 4px;
    color: {buttonText};
    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,
                                      stop: 0 {buttonTop}, stop: 1 {buttonBottom});
}
QPushButton:pressed, QToolButton:pressed {
    background-color: {buttonPressed};
    color: {buttonPressedText};
}
QPushButton:checked, QToolButton:checked {
    background-color: {buttonChecked};
    color: {buttonCheckedText};
}
QPushButton:disabled, QToolButton:disabled {
    background-color: {buttonDisabled};
    color: {buttonDisabledText};
}

QLineEdit, QListView, QComboBox, QDateTimeEdit, QTimeEdit, QSpinBox, QDoubleSpinBox, QTextEdit {
    background-color: {field};
    color: {fieldText};
    border: 1px solid {border};
    border-radius: 4px;
    selection-background-color: {selection};
    selection-color: {selectionText};
}
QLineEdit:disabled, QListView:disabled, QComboBox:disabled, QDateTimeEdit:disabled,
QTimeEdit:disabled, QSpinBox:disabled, QDoubleSpinBox:disabled, QTextEdit:disabled {
    background-color: {disabledField};
    color: {disabledFieldText};
    border-style: dashed;
}
/* Typed text on the manual's white, green and red find field. */
QLineEdit#m_pFindEdit {
    color: {findText};
}

QCalendarWidget QAbstractItemView {
    background-color: {field};
    color: {fieldText};
    selection-background-color: {selection};
    selection-color: {selectionText};
}
QCalendarWidget QAbstractItemView:disabled {
    color: {disabledFieldText};
}

QMenu {
    border: 1px solid {border};
}
QMenu::item:selected {
    background-color: {selection};
    color: {selectionText};
}

QComboBox {
    padding: 1px 18px 1px 4px;
}
QComboBox::drop-down {
    subcontrol-origin: padding;
    subcontrol-position: top right;
    width: 16px;
    border-left: 1px solid {border};
}
QComboBox::down-arrow {
    image: url(:/images/combo-down-arrow.png);
}
QComboBox QAbstractItemView {
    background-color: {field};
    color: {fieldText};
    selection-background-color: {selection};
}

QAbstractSpinBox::up-button, QDateTimeEdit::up-button {
    subcontrol-origin: border;
    subcontrol-position: top right;
    width: 16px;
}
QAbstractSpinBox::down-button, QDateTimeEdit::down-button {
    subcontrol-origin: border;
    subcontrol-position: bottom right;
    width: 16px;
}
QAbstractSpinBox::up-arrow, QDateTimeEdit::up-arrow {
    image: url(:/images/spin-up-arrow.png);
}
QAbstractSpinBox::down-arrow, QDateTimeEdit::down-arrow {
    image: url(:/images/spin-down-arrow.png);
}

QCheckBox::indicator, QRadioButton::indicator, QGroupBox::indicator {
    width: 16px;
    height: 16px;
}
/* A checkable group's box too: the platform's is nearly invisible on the dark window. */
QCheckBox::indicator:checked, QGroupBox::indicator:checked {
    image: url(:/images/check-on.png);
}
QCheckBox::indicator:unchecked, QGroupBox::indicator:unchecked {
    image: url(:/images/check-off.png);
}
QRadioButton::indicator:checked {
    image: url(:/images/radio-on.png);
}
QRadioButton::indicator:unchecked {
    image: url(:/images/radio-off.png);
}

QGroupBox {
    border: 1px solid {border};
    border-radius: 4px;
    margin-top: 8px;
    padding-top: 4px;
}
QGroupBox::title {
    subcontrol-origin: margin;
    subcontrol-position: top left;
    left: 8px;
    padding: 0 3px;
}

QHeaderView::section {
    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,
                                      stop: 0 {buttonTop}, stop: 1 {buttonBottom});
    color: {windowText};
    border: 1px solid {border};
    padding: 2px 4px;
}

QTreeView {
    background-color: {field};
    alternate-background-color: {fieldAlternate};
    color: {fieldText};
    border: 1px solid {border};
    border-radius: 4px;
    selection-background-color: {selection};
    selection-color: {selectionText};
}

QScrollBar:horizontal {
    background-color: {field};
    border: 1px solid {border};
    border-radius: 4px;
    height: 14px;
    margin: 0 14px 0 14px;
}
QScrollBar::handle:horizontal {
    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,
                                      stop: 0 {buttonTop}, stop: 1 {buttonBottom});
    border: 1px solid {border};
    border-radius: 4px;
    min-width: 20px;
}
QScrollBar::add-line:horizontal, QScrollBar::sub-line:horizontal {
    background-color: {window};
    border: 1px solid {border};
    width: 12px;
    subcontrol-origin: margin;
}
QScrollBar::add-line:horizontal {
    subcontrol-position: right;
}
QScrollBar::sub-line:horizontal {
    subcontrol-position: left;
}
)");
    const std::pair<const char *, Rgb> colours[] = {
        { "{window}", Window },
        { "{windowText}", WindowText },
        { "{border}", Border },
        { "{field}", Field },
        { "{fieldAlternate}", FieldAlternate },
        { "{fieldText}", FieldText },
        { "{disabledField}", DisabledField },
        { "{disabledFieldText}", DisabledFieldText },
        { "{selection}", Selection },
        { "{selectionText}", SelectionText },
        { "{buttonTop}", ButtonTop },
        { "{buttonBottom}", ButtonBottom },
        { "{buttonText}", ButtonText },
        { "{buttonPressed}", ButtonPressed },
        { "{buttonPressedText}", ButtonPressedText },
        { "{buttonChecked}", ButtonChecked },
        { "{buttonCheckedText}", ButtonCheckedText },
        { "{buttonDisabled}", ButtonDisabled },
        { "{buttonDisabledText}", ButtonDisabledText },
        { "{findText}", FindText },
    };
    for (const auto &[token, colour] : colours)
        sheet.replace(QLatin1String(token), colour.css());
    return sheet;
}
