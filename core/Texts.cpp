#include "core/Texts.h"

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
