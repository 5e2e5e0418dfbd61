#include "core/Texts.h"

#include <iterator>

namespace zt {

namespace {

struct Pair {
  const char* german;
  const char* english;
};

// Order as in enum Hint.
constexpr Pair kHints[] = {
    {"Ich fang neu an.", "I start again."},
    {"Gibts da kein anderes Muster?", "Are there any more patterns?"},
    {"Gibts da kein anderes Muster?", "Are there any more patterns?"},
    {"Ich brauch eine kurze Pause.", "I need a break."},
    {"Ich schalte die Geräusche lieber aus.", "I like it without sound-effects."},
    {"Ohne Geräusche ist es doch etwas fad.", "Without sound ist is boring."},
    {"Ohne Musik ist es mir lieber.", "I don't like the music now."},
    {"Ich mag die Musik.", "Ich like the music."},
    {"Wer sind die Besten?", "Who is the best?"},
    {"Ich hab genug!", "That's enough for now!"},
    {"Zeit:", "Time:"},
    // Offered in the other language.
    {"I don't speak german.", "Ich spreche nicht englisch."},
    {"Ich laß mir unter die Arme greifen.", "I need help."},
    {"Wer hat diese Spiele nur verbrochen?", "Who's the ZINDLE GAMES inventor?"},
    {"Hurra, es gibt noch mehr Zindle Games.", "Hurrah, there are more ZINDLE GAMES."},
};

// Order as in enum ControlName.
constexpr Pair kControlNames[] = {
    {"Neues Spiel", "New game"},
    {"Nächste Variante", "Next variant"},
    {"Pause", "Pause"},
    {"Geräusche", "Sound effects"},
    {"Musik", "Music"},
    {"Bestenliste", "Best times"},
    {"Spiel beenden", "Quit"},
    {"Sprache", "Language"},
    {"Hilfe", "Help"},
    {"Über das Spiel", "About"},
    {"Webseite von Zindle Games", "Zindle Games web page"},
    {"Uhr", "Clock"},
    {"Spielfeld", "Play area"},
};

static_assert(std::size(kControlNames) == static_cast<std::size_t>(ControlName::PlayArea) + 1);

// The word before a puzzle's variant number, by puzzle (BOSS names its size).
constexpr Pair kVariantWords[] = {
    {"Muster", "pattern"},
    {"Stufe", "level"},
    {"", ""},
    {"Muster", "pattern"},
};

static_assert(std::size(kVariantWords) == kPuzzleCount);

QString Pick(const Pair& p, bool german) {
  return QString::fromUtf8(german ? p.german : p.english);
}

}  // namespace

QString PuzzleText(const Words& words, bool german) {
  return QString::fromUtf8(german ? words.german : words.english);
}

QString HintText(Hint hint, bool german) {
  return Pick(kHints[static_cast<int>(hint)], german);
}

QString ControlNameText(ControlName name, bool german) {
  return Pick(kControlNames[static_cast<int>(name)], german);
}

QString ClockName(std::int32_t clock, bool german) {
  return HintText(Hint::TimeLabel, german) + " " + QString::number(clock);
}

QString PlayAreaName(int puzzle, const VariantValues& variant, bool german) {
  const PuzzleEntry& entry = CatalogEntry(puzzle);
  const QString name = QString::fromLatin1(entry.name);
  if (entry.variantValues == 2) {
    return QString("%1 %2 x %3").arg(name).arg(variant[0]).arg(variant[1]);
  }
  const int index = puzzle >= 0 && puzzle < kPuzzleCount ? puzzle : kCrux;
  return QString("%1 %2 %3").arg(name, Pick(kVariantWords[index], german)).arg(variant[0]);
}

QString ErrorCaption(bool german) {
  return Pick({"Fehler", "Error"}, german);
}

QString PictureFailureText(const QString& path, bool german) {
  return Pick({"Bilddatei fehlt oder ist beschädigt: ", "Picture file missing or damaged: "},
              german) +
         path;
}

QString MemoryFailureText(bool german) {
  return Pick({"Zuwenig Speicher! Programm wird beendet.", "Not enough memory! Program aborted."},
              german);
}

}  // namespace zt
