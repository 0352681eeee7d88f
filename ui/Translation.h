#pragma once

// The player's language: which translation the game loads and whether one is
// in force.
//
// The texts of every window, the status line, the messages and the HUD go
// through Qt's tr(); the translations are "vortalix3d_<language>.qm" files in
// the data root's "translations" folder, made from the .ts sources of
// i18n/ at build time. Texts of files and of the wire ("SYS$$Move:", the INI
// keys, "clients.cfg" lines) never go through it.
//
// The language follows the system's locale much as gettext programs read it:
// LANGUAGE (a colon-separated list of preferences, also under the C locale),
// then LC_ALL, LC_MESSAGES, LANG. "pt_BR.UTF-8" is tried as "pt_BR", then "pt". With no
// translation for any of them the game stays English. Install before the
// windows are made: they write their texts when they are created.

#include <QString>
#include <QStringList>

#include <functional>

namespace vtx {

// The languages to try, best first, from an environment lookup (name ->
// value, empty when unset). "C" and "POSIX" stand for English.
QStringList preferredLanguages(const std::function<QString(const char*)>& environment);
QStringList preferredLanguages(); // from the process environment

// Loads the first translation found in folder for the languages, installs
// it on the application and returns its language ("de", "pt_BR"); empty
// when the game stays English. A later call replaces the earlier one.
QString installTranslation(const QString& folder, const QStringList& languages);
// The language installed by the last installTranslation, empty for English.
QString translationLanguage();
inline bool translationActive() {
    return !translationLanguage().isEmpty();
}

} // namespace vtx
