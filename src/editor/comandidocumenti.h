#pragma once

#include <QRect>

#include <array>

// The editor's picture commands: name, picture, place on the panel, what it
// is called for assistive technology and the sentence the status line shows
// while the pointer is over it. The seven groups of the top bar, left to
// right, then the four scan buttons: also their order for Tab.
struct DescrizioneComando {
    const char *nome;          // objectName: "cmdNuovo"
    const char *risorsa;       // ":/editor/nuovo.svg"
    QRect posto;
    const char *testo;         // "Nuova scheda"
    const char *suggerimento;
};

constexpr int kNumeroComandi = 20;
const std::array<DescrizioneComando, kNumeroComandi> &comandiDocumenti();

// Keys that run an editor command while the user types in a field: none of
// them means anything to a one-line text field. A field keeps Home and End,
// and Ctrl+Home and Ctrl+End as well (the toolkit reserves them for it), so
// first and last record have no key. In the portable text of key sequences.
struct ScorciatoiaComando {
    const char *tasti;         // "Ctrl+S"
    const char *comando;       // objectName of the command it runs
};
const std::array<ScorciatoiaComando, 3> &scorciatoieDocumenti();

// The white boxes behind the seven groups: "shpControlli01" to "shpControlli07".
struct GruppoComandi {
    const char *nome;
    QRect posto;
};
const std::array<GruppoComandi, 7> &gruppiComandi();

// Where the position sits, between the previous and next arrows.
QRect postoPosizione();
