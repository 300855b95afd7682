#include "capturesaving.h"

#include <QDir>

CaptureSaving::CaptureSaving(QObject *parent)
    : QObject(parent), m_saveAction(tr("Save Each Capture…"), this),
      m_picturesAction(tr("Save Pictures Too"), this)
{
    m_saveAction.setCheckable(true);
    m_picturesAction.setCheckable(true);
}

CaptureSaving::~CaptureSaving() = default;

void CaptureSaving::start(const QString &folder)
{
    m_folder = folder;
    m_saveAction.setChecked(true);
    if (!m_file) {
        m_writingFolder = folder;
        m_number = 1;
    }
    m_saved = 0;
    m_missed = 0;
    emit changed();
}

void CaptureSaving::stop()
{
    m_folder.clear();
    m_saveAction.setChecked(false);
    emit changed();
}

void CaptureSaving::take(const QByteArray &table, const QByteArray &picture, int missedBefore)
{
    if (!isSaving())
        return;
    m_missed += missedBefore;
    if (int(m_waiting.size()) >= maxWaiting) {
        ++m_missed;
        emit changed();
        return;
    }
    if (missedBefore > 0)
        emit changed();
    m_waiting.push_back({table, wantsPictures() ? picture : QByteArray()});
    if (!m_file)
        writeNext();
}

QString CaptureSaving::pathOf(int number, const char *suffix) const
{
    return QDir(m_writingFolder)
        .filePath(QStringLiteral("capture-%1.%2").arg(number, 4, 10, QLatin1Char('0')).arg(QLatin1String(suffix)));
}

void CaptureSaving::writeNext()
{
    if (m_waiting.empty()) {
        m_file.reset();
        // A folder chosen meanwhile is numbered from its own start.
        if (isSaving() && m_writingFolder != m_folder) {
            m_writingFolder = m_folder;
            m_number = 1;
        }
        return;
    }
    const Capture &next = m_waiting.front();
    const QByteArray &bytes = m_writingPicture ? next.picture : next.table;
    m_file = std::make_unique<SavedFile>(pathOf(m_number, m_writingPicture ? "png" : "csv"),
                                         SavedFile::bytes(bytes));
    m_file->setKeepsExisting(true);
    connect(m_file.get(), &SavedFile::finished, this, &CaptureSaving::onWritten);
    m_file->start();
}

void CaptureSaving::onWritten(const QString &failure)
{
    // Deleted from the event loop: this runs inside its signal.
    m_file.release()->deleteLater();
    if (failure == SavedFile::alreadyExists() && !m_writingPicture) {
        // Someone's file: the next number, the same capture.
        ++m_number;
    } else if (!failure.isEmpty()) {
        const QString path = pathOf(m_number, m_writingPicture ? "png" : "csv");
        m_waiting.clear();
        m_writingPicture = false;
        stop();
        emit failed(path, failure);
        return;
    } else if (!m_writingPicture && !m_waiting.front().picture.isEmpty()) {
        m_writingPicture = true;
    } else {
        m_writingPicture = false;
        m_waiting.pop_front();
        ++m_number;
        ++m_saved;
        emit changed();
    }
    writeNext();
}

QString CaptureSaving::statusText() const
{
    if (m_saved == 0 && m_missed == 0)
        return isSaving() ? tr("Saving captures") : QString();
    QString text = m_saved == 1 ? tr("1 capture saved") : tr("%1 captures saved").arg(m_saved);
    if (m_missed > 0)
        text += tr(", %1 missed").arg(m_missed);
    return text;
}
