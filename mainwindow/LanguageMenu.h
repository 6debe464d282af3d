#pragma once

class QMenu;
class QWidget;

// Settings > Language: the system's language, English or Russian, each named
// in its own words. The choice is kept in the settings and applies at the
// next start; the window says so in both languages.
namespace languagemenu {

void add(QMenu *settings, QWidget *parent);

} // namespace languagemenu
