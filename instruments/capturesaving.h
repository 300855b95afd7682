#pragma once

#include "savedfile.h"

#include <QAction>
#include <QByteArray>
#include <QObject>
#include <QString>

#include <deque>
#include <memory>

// "Save Each Capture…": every capture of a Normal or Single trigger goes
// into a folder the user chose, as capture-0001.csv (the exported samples,
// the crossing's row marked) and, when asked, capture-0001.png. One file at
// a time, written off the GUI thread (SavedFile); a number whose file is
// there already is skipped, so nothing is ever overwritten. Captures that
// come faster than the disk takes them beyond a few waiting are counted as
// missed, never held without bound.
class CaptureSaving : public QObject
{
    Q_OBJECT

public:
    static constexpr int maxWaiting = 8;

    explicit CaptureSaving(QObject *parent = nullptr);
    ~CaptureSaving() override;

    // Checked while saving; the window asks for the folder and calls start().
    QAction *saveAction() { return &m_saveAction; }
    // Checked: each capture's picture too.
    QAction *picturesAction() { return &m_picturesAction; }
    bool isSaving() const { return !m_folder.isEmpty(); }
    bool wantsPictures() const { return m_picturesAction.isChecked(); }

    // Numbering goes on from 1 past the files already there.
    void start(const QString &folder);
    // Stops taking captures; those waiting are still written.
    void stop();
    // One capture: its table, and its picture as PNG (or nothing);
    // `missedBefore` came since the last one and are counted as missed.
    void take(const QByteArray &table, const QByteArray &picture, int missedBefore = 0);

    // "12 captures saved" and what was missed, for the plot; empty before
    // the first one.
    QString statusText() const;

signals:
    // The count or the state changed.
    void changed();
    // A file could not be written: saving has stopped.
    void failed(const QString &path, const QString &reason);

private:
    struct Capture
    {
        QByteArray table;
        QByteArray picture;
    };

    QString pathOf(int number, const char *suffix) const;
    void writeNext();
    void onWritten(const QString &failure);

    QAction m_saveAction;
    QAction m_picturesAction;
    // Where the files go; empty while not saving.
    QString m_folder;
    QString m_writingFolder;
    int m_number = 1;
    std::deque<Capture> m_waiting;
    // The file being written: the table first, then its picture.
    std::unique_ptr<SavedFile> m_file;
    bool m_writingPicture = false;
    int m_saved = 0;
    int m_missed = 0;
};
