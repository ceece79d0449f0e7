/* Meadow: a light, fresh skin for Metrivo. */
QWidget {
    background-color: #f4f8ef;
    color: #27351f;
    font-family: "Liberation Sans", Arial, sans-serif;
}

QGroupBox {
    background-color: #ffffff;
    border: 1px solid #b9d3a4;
    border-radius: 8px;
    margin-top: 14px;
    padding-top: 4px;
    font-weight: bold;
}
QGroupBox::title {
    subcontrol-origin: margin;
    subcontrol-position: top left;
    left: 10px;
    padding: 0 4px;
    color: #3f6e26;
    background-color: transparent;
}

QRadioButton, QCheckBox, QLabel {
    background-color: transparent;
    spacing: 3px;
}
QRadioButton::indicator {
    width: 12px;
    height: 12px;
    border: 2px solid #8db46c;
    border-radius: 7px;
    background-color: #ffffff;
}
QRadioButton::indicator:checked {
    border-color: #4e7d2e;
    background-color: qradialgradient(cx: 0.5, cy: 0.5, radius: 0.5, fx: 0.5, fy: 0.5,
                                      stop: 0 #4e7d2e, stop: 0.55 #4e7d2e, stop: 0.6 #ffffff);
}
QRadioButton:hover { color: #4e7d2e; }

QLineEdit, QComboBox {
    background-color: #fbfdf8;
    color: #27351f;
    border: 1px solid #b9d3a4;
    border-radius: 4px;
    padding: 2px 6px;
    selection-background-color: #a8d08d;
    selection-color: #1c2716;
}
QLineEdit:focus, QComboBox:focus { border-color: #6b9e45; }
QComboBox QAbstractItemView {
    background-color: #ffffff;
    color: #27351f;
    border: 1px solid #b9d3a4;
    selection-background-color: #d6ebc6;
    selection-color: #1c2716;
}

QPushButton {
    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #3f7127, stop: 1 #35601f);
    color: #ffffff;
    border: 1px solid #2d521a;
    border-radius: 6px;
    padding: 4px 12px;
    font-weight: bold;
}
QPushButton:hover { background-color: #467d2b; }
QPushButton:pressed { background-color: #2d521a; }
QPushButton:focus { border-color: #3d6128; }
