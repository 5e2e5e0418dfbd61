#include "core/SystemLocale.h"

#include <QLocale>

#include "core/Language.h"

namespace zt {

bool IsGermanLocaleName(const QString& name) {
  if (!name.startsWith(QLatin1String("de"))) return false;
  return name.size() == 2 || QStringLiteral("_.@").contains(name[2]);
}

bool LocaleIsGerman(const QString& lcAll, const QString& lcMessages, const QString& lang) {
  for (const QString* value : {&lcAll, &lcMessages, &lang}) {
    if (!value->isEmpty()) return IsGermanLocaleName(*value);
  }
  return false;
}

bool SystemLocaleIsGerman() {
  const QString lcAll = qEnvironmentVariable("LC_ALL");
  const QString lcMessages = qEnvironmentVariable("LC_MESSAGES");
  const QString lang = qEnvironmentVariable("LANG");
  if (lcAll.isEmpty() && lcMessages.isEmpty() && lang.isEmpty()) {
    return QLocale::system().language() == QLocale::German;
  }
  return LocaleIsGerman(lcAll, lcMessages, lang);
}

bool GermanMessages() {
  return Tongue == -1 ? SystemLocaleIsGerman() : German();
}

}  // namespace zt
