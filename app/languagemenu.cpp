#include "languagemenu.h"

#include "languages.h"
#include "settingsfile.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>

namespace LanguageMenu {

void addTo(QMenu *menu, QWidget *parent)
{
    QMenu *languages = menu->addMenu(QCoreApplication::translate("LanguageMenu", "Language"));
    auto *group = new QActionGroup(languages);
    const QString remembered = Languages::remembered();
    for (const QString &code : Languages::codes()) {
        QAction *action = languages->addAction(Languages::ownName(code));
        action->setCheckable(true);
        action->setChecked(code == remembered);
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, languages, [code, parent = QPointer<QWidget>(parent)] {
            if (Languages::remember(code) || !parent)
                return;
            QMessageBox::warning(parent, QCoreApplication::translate("LanguageMenu", "Language"),
                                 QCoreApplication::translate("LanguageMenu",
                                                             "The language could not be kept: %1 "
                                                             "could not be written.")
                                     .arg(SettingsFile::path()));
        });
    }
    languages->addSeparator();
    // Said where the choice is made, since nothing changes on screen now.
    languages->addAction(QCoreApplication::translate("LanguageMenu", "Applies at the next start"))
        ->setEnabled(false);
}

} // namespace LanguageMenu
