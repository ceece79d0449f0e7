/* Slate: a dark, quiet skin for Metrivo. */
QWidget {
    background-color: #2b323b;
    color: #e6e9ee;
    font-family: "Liberation Sans", Arial, sans-serif;
}

QGroupBox {
    background-color: #323a45;
    border: 1px solid #4a5564;
    border-radius: 6px;
    margin-top: 14px;
    padding-top: 4px;
    font-weight: bold;
}
QGroupBox::title {
    subcontrol-origin: margin;
    subcontrol-position: top left;
    left: 10px;
    padding: 0 4px;
    color: #9fc3e8;
    background-color: transparent;
}

QRadioButton, QCheckBox, QLabel {
    background-color: transparent;
    spacing: 3px;
}
QRadioButton::indicator {
    width: 12px;
    height: 12px;
    border: 2px solid #7c8a9c;
    border-radius: 7px;
    background-color: #2b323b;
}
QRadioButton::indicator:checked {
    border-color: #6fa8dc;
    background-color: qradialgradient(cx: 0.5, cy: 0.5, radius: 0.5, fx: 0.5, fy: 0.5,
                                      stop: 0 #6fa8dc, stop: 0.55 #6fa8dc, stop: 0.6 #2b323b);
}
QRadioButton:hover { color: #ffffff; }

QLineEdit, QComboBox {
    background-color: #1f252c;
    color: #f2f4f7;
    border: 1px solid #4a5564;
    border-radius: 4px;
    padding: 2px 6px;
    selection-background-color: #3d6f9e;
    selection-color: #ffffff;
}
QLineEdit:focus, QComboBox:focus { border-color: #6fa8dc; }
QLineEdit:read-only { background-color: #262d35; }
QComboBox::drop-down {
    border: none;
    width: 20px;
}
QComboBox QAbstractItemView {
    background-color: #1f252c;
    color: #f2f4f7;
    border: 1px solid #4a5564;
    selection-background-color: #3d6f9e;
}

QPushButton {
    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #4f7fae, stop: 1 #3d6f9e);
    color: #ffffff;
    border: 1px solid #2f5a82;
    border-radius: 5px;
    padding: 4px 12px;
    font-weight: bold;
}
QPushButton:hover { background-color: #5a8cbc; }
QPushButton:pressed { background-color: #2f5a82; }
QPushButton:focus { border-color: #9fc3e8; }
