/* Quorvane skin: a Qt style sheet, read from x/o.cjs beside the program. */

QWidget {
    color: #1f3440;
}

QWidget#Form1, QWidget#Form2 {
    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #f5f8f9, stop: 1 #e3ebee);
}

QGroupBox {
    background-color: rgba(255, 255, 255, 150);
    border: 1px solid #b4c5cc;
    border-radius: 6px;
    margin-top: 9px;
}

QGroupBox::title {
    subcontrol-origin: margin;
    left: 10px;
    padding: 0 4px;
    color: #1d5f6b;
}

QRadioButton, QCheckBox {
    background: transparent;
    spacing: 5px;
}

QRadioButton::indicator {
    width: 11px;
    height: 11px;
    border: 1px solid #7d939c;
    border-radius: 6px;
    background: #ffffff;
}

QRadioButton::indicator:hover {
    border-color: #2a9d8f;
}

QRadioButton::indicator:checked {
    background: qradialgradient(cx: 0.5, cy: 0.5, radius: 0.5, fx: 0.5, fy: 0.5,
                                stop: 0 #2a9d8f, stop: 0.55 #2a9d8f, stop: 0.65 #ffffff);
}

QLineEdit {
    background: #ffffff;
    border: 1px solid #9fb3bb;
    border-radius: 3px;
    padding: 1px 4px;
    selection-background-color: #2a9d8f;
    selection-color: #ffffff;
}

QLineEdit:focus {
    border: 1px solid #2a9d8f;
}

QPushButton {
    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #ffffff, stop: 1 #e4ecef);
    border: 1px solid #98adb6;
    border-radius: 4px;
    color: #1d4450;
    padding: 1px 2px;
}

QPushButton:hover {
    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #f2fbfa, stop: 1 #d3ece9);
    border-color: #2a9d8f;
}

QPushButton:pressed {
    background-color: #c2e3df;
}

QPushButton:focus {
    border-color: #2a9d8f;
}

QTreeWidget, QListView {
    background: #ffffff;
    border: 1px solid #9fb3bb;
    border-radius: 3px;
    selection-background-color: #d3ece9;
    selection-color: #1f3440;
}

QHeaderView::section {
    background-color: #e4ecef;
    border: none;
    border-bottom: 1px solid #b4c5cc;
    padding: 3px 6px;
    font-weight: bold;
}

QProgressBar {
    background: #ffffff;
    border: 1px solid #9fb3bb;
    border-radius: 4px;
    text-align: center;
}

QProgressBar::chunk {
    background-color: #2a9d8f;
    border-radius: 3px;
}
