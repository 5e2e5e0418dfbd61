#pragma once

#include <QString>

namespace zt {

// Whether a locale's name is German: "de", alone or followed by a territory,
// a code set or a modifier ("de_AT", "de_DE.UTF-8", "de@euro").
bool IsGermanLocaleName(const QString& name);

// Whether the system asks for German, as C programs read it: the first of
// LC_ALL, LC_MESSAGES and LANG that is set and not empty decides. Given here
// as values, for a look at other systems.
bool LocaleIsGerman(const QString& lcAll, const QString& lcMessages, const QString& lang);
// The same for this process's environment; with none of the three set, the
// system's own locale (Windows keeps it elsewhere).
bool SystemLocaleIsGerman();

// Whether the game's messages are German: the player's language once chosen,
// before that (on a first start) the system's.
bool GermanMessages();

}  // namespace zt
