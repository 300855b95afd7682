#include "plotlook.h"

#include "settingsfile.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPalette>

namespace {

const QString group = QStringLiteral("plotcolours");
const QString key = QStringLiteral("choice");
const std::array<QString, 3> keptNames{QStringLiteral("light"), QStringLiteral("dark"),
                                       QStringLiteral("desktop")};

} // namespace

PlotLook &PlotLook::instance()
{
    // The application's child: gone with it, before the plots' library is.
    static PlotLook *const look = new PlotLook;
    return *look;
}

PlotLook::PlotLook() : QObject(QCoreApplication::instance())
{
    // Anything else, a damaged file's value included: the default.
    const QString kept = SettingsFile::readGroup(group).value(key).toString();
    for (size_t i = 0; i < keptNames.size(); ++i)
        if (kept == keptNames[i])
            m_choice = Choice(i);
    connect(qGuiApp, &QGuiApplication::paletteChanged, this, &PlotLook::update);
    update();
}

void PlotLook::choose(Choice choice)
{
    if (choice == m_choice)
        return;
    m_choice = choice;
    SettingsFile::writeGroup(group, choice == Choice::FollowDesktop
                                        ? QVariantMap()
                                        : QVariantMap{{key, keptNames[size_t(choice)]}});
    update();
}

void PlotLook::update()
{
    const PlotColours::Scheme scheme =
        m_choice == Choice::Light  ? PlotColours::Scheme::Light
        : m_choice == Choice::Dark ? PlotColours::Scheme::Dark
                                   : PlotColours::schemeForWindow(
                                       QGuiApplication::palette().color(QPalette::Window));
    if (scheme == m_scheme)
        return;
    m_scheme = scheme;
    emit schemeChanged();
}

void PlotLook::addToMenu(QMenu &menu)
{
    QMenu *choices = menu.addMenu(tr("Plot Colours"));
    const std::array<QString, 3> texts{tr("Light"), tr("Dark"), tr("Follow the Desktop")};
    for (size_t i = 0; i < texts.size(); ++i) {
        QAction *action = choices->addAction(texts[i]);
        action->setCheckable(true);
        action->setChecked(m_choice == Choice(i));
        const Choice choice = Choice(i);
        connect(action, &QAction::triggered, this, [this, choice] { choose(choice); });
    }
}
