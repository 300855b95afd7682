#pragma once

class QMenu;
class QWidget;

// "Language ▸" for the launcher's context menu: English, Deutsch, Español,
// the remembered one checked. A choice is kept in the settings file and
// applies from the next start; the windows open now keep their texts.
namespace LanguageMenu {

// Adds the submenu to `menu`; a box on `parent` says when the choice could not be kept.
void addTo(QMenu *menu, QWidget *parent);

} // namespace LanguageMenu
