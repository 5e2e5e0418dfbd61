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
    {"CRUX fordert mich heraus.", "CRUX teases my brain"},
    {"Jetzt knack ich schnell das TILZ.", "I quickly solve the TILZ."},
    {"BOSS gibt mir zu denken.", "BOSS challenges me."},
    {"TRANSIT wartet auf mich.", "TRANSIT waits for me."},
    {"Zeit:", "Time:"},
    // Offered in the other language.
    {"I don't speak german.", "Ich spreche nicht englisch."},
    {"Ich laß mir unter die Arme greifen.", "I need help."},
    {"Wer hat diese Spiele nur verbrochen?", "Who's the ZINDLE GAMES inventor?"},
    {"Hurra, es gibt noch mehr Zindle Games.", "Hurrah, there are more ZINDLE GAMES."},
};

constexpr Pair kRules[] = {
    {"Verschiebe die Balken des CRUX. Versuche\rdie rechts gezeigte Ordnung herzustellen.",
     "Slide the CRUX-baulks. Try to\rbuild the pattern shown right."},
    {"Verschiebe die TILZ-Platten. Versuche die große grüne\rPlatte an die rechts gezeigte "
     "Position zu bringen.",
     "Push the TILZ-plates into the free space. Try to move\rthe big green plate to the "
     "position shown right."},
    {"Schiebe die BOSS-Steine auf den freien Platz. Ordne\rdie Zahlen ihrer natürlichen "
     "Reihenfolge nach.",
     "Move the BOSS-tiles into the gap. Sort the numbers\rincreasing from left to right and "
     "from top to bottom."},
    {"Verschiebe die TRANSIT-Balken. Versuche\rdie rechts gezeigte Ordnung herzustellen.",
     "Move the TRANSIT-baulks. Try to make\ra copy of the pattern shown right."},
};

QString Pick(const Pair& p, bool german) {
  return QString::fromUtf8(german ? p.german : p.english);
}

}  // namespace

QString HintText(Hint hint, bool german) {
  return Pick(kHints[static_cast<int>(hint)], german);
}

QString RulesText(int mode, bool german) {
  if (mode < 0 || mode > 3) return {};
  return Pick(kRules[mode], german);
}

}  // namespace zt
