#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class RemoteControl;

// "Remote Control…" from the launcher's context menu: serve SCPI clients or
// not, on which address and port. What it applies is remembered for the
// next start; another address than this computer's is said in it.
class RemoteControlDialog : public QDialog
{
    Q_OBJECT

public:
    RemoteControlDialog(RemoteControl &control, QWidget *parent);

private:
    void showExposure();
    void apply();

    RemoteControl &m_control;
    QCheckBox *const m_on;
    QLineEdit *const m_address;
    QSpinBox *const m_port;
    QLabel *const m_note;
};
