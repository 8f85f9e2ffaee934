#include "app/StyleSheet.h"

QString applicationStyleSheet()
{
    return QStringLiteral(R"(
QWidget {
    background-color: rgb(76, 76, 88);
    color: rgb(200, 200, 255);
    border-style: solid;
    border-color: rgb(200, 200, 222);
    border-radius: 4px;
}

QPushButton, QToolButton {
    border: 1px solid rgb(200, 200, 222);
    border-radius: 4px;
    padding: 4px;
    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,
                                      stop: 0 rgb(96, 96, 108), stop: 1 rgb(36, 36, 48));
}
QPushButton:pressed, QToolButton:pressed {
    background-color: rgb(176, 176, 188);
}
QPushButton:checked, QToolButton:checked {
    background-color: rgb(147, 146, 158);
    color: rgb(220, 220, 255);
}
QPushButton:disabled, QToolButton:disabled {
    background-color: rgb(106, 106, 118);
    color: darkgray;
}

QLineEdit, QListView, QComboBox, QDateTimeEdit, QTimeEdit, QSpinBox, QDoubleSpinBox, QTextEdit {
    background-color: rgb(56, 56, 68);
    color: white;
    border: 1px solid rgb(200, 200, 222);
    border-radius: 4px;
    selection-background-color: rgb(64, 64, 64);
    selection-color: white;
}
QLineEdit:disabled, QListView:disabled, QComboBox:disabled, QDateTimeEdit:disabled,
QTimeEdit:disabled, QSpinBox:disabled, QDoubleSpinBox:disabled, QTextEdit:disabled {
    color: gray;
}

QComboBox {
    padding: 1px 18px 1px 4px;
}
QComboBox::drop-down {
    subcontrol-origin: padding;
    subcontrol-position: top right;
    width: 16px;
    border-left: 1px solid rgb(200, 200, 222);
}
QComboBox::down-arrow {
    image: url(:/images/combo-down-arrow.png);
}
QComboBox QAbstractItemView {
    background-color: rgb(56, 56, 68);
    color: white;
    selection-background-color: rgb(64, 64, 64);
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

QCheckBox::indicator, QRadioButton::indicator {
    width: 16px;
    height: 16px;
}
QCheckBox::indicator:checked {
    image: url(:/images/check-on.png);
}
QCheckBox::indicator:unchecked {
    image: url(:/images/check-off.png);
}
QRadioButton::indicator:checked {
    image: url(:/images/radio-on.png);
}
QRadioButton::indicator:unchecked {
    image: url(:/images/radio-off.png);
}

QGroupBox {
    border: 1px solid rgb(200, 200, 222);
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
                                      stop: 0 rgb(96, 96, 108), stop: 1 rgb(36, 36, 48));
    color: rgb(200, 200, 255);
    border: 1px solid rgb(200, 200, 222);
    padding: 2px 4px;
}

QTreeView {
    background-color: rgb(56, 56, 68);
    alternate-background-color: rgb(66, 66, 78);
    color: white;
    border: 1px solid rgb(200, 200, 222);
    border-radius: 4px;
    selection-background-color: rgb(64, 64, 64);
    selection-color: white;
}

QScrollBar:horizontal {
    background-color: rgb(56, 56, 68);
    border: 1px solid rgb(200, 200, 222);
    border-radius: 4px;
    height: 14px;
    margin: 0 14px 0 14px;
}
QScrollBar::handle:horizontal {
    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,
                                      stop: 0 rgb(96, 96, 108), stop: 1 rgb(36, 36, 48));
    border: 1px solid rgb(200, 200, 222);
    border-radius: 4px;
    min-width: 20px;
}
QScrollBar::add-line:horizontal, QScrollBar::sub-line:horizontal {
    background-color: rgb(76, 76, 88);
    border: 1px solid rgb(200, 200, 222);
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
}
