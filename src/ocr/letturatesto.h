#pragma once

#include <QString>

// What the recognised text of a page says about the page, as the record
// keeps it: the opening words, the number of text lines and the language.
// Plain text work, no recognition: tested on texts of our own.

// The most characters the record's incipit takes.
constexpr int kMassimoIncipit = 250;

// The opening words of the text: its lines joined by one blank (a word cut
// by a hyphen at the end of a line is joined again), runs of blanks made
// one, and as many whole words as fit in the limit. A first word longer
// than the limit is cut, since it is all there is.
QString incipitDaTesto(const QString &testo, int massimo = kMassimoIncipit);

// The lines of the text that hold anything but blanks.
int righeDiTesto(const QString &testo);

// "Italiano", "Latino" or "Inglese", by the common words of each language
// that the text holds; empty when it holds too few to tell.
QString linguaDiTesto(const QString &testo);

// The three fields recognition may fill, as the editor's fields hold them.
struct CampiLettura {
    QString incipit;
    QString righe;
    QString lingua;

    bool operator==(const CampiLettura &altri) const
    {
        return incipit == altri.incipit && righe == altri.righe && lingua == altri.lingua;
    }
};

// The three fields read from a recognised text.
CampiLettura campiDaTesto(const QString &testo);

// The fields after a recognition: each one the user has typed (anything but
// blanks) stays as it is; each empty one takes the recognised value.
CampiLettura riempiVuoti(const CampiLettura &schermo, const CampiLettura &letti);
