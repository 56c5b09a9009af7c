#pragma once

#include "app/finestra.h"

class Contesto;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Finds the pages of an archive by the words of their recognised text, and
// lists them as the search window's summary lines followed by the words
// found in their context. A double click on a line chooses its page: the
// window closes and gives the position to its opener, which shows it.
//
//     int posizione = 0;
//     apriDialogo<TfrmCercaTesto>(this, [&](TfrmCercaTesto &d) {
//         d.impostaArchivio(cartella, percorso, nome);
//         ... d.exec() ... posizione = d.posizioneScelta();
//     });
class TfrmCercaTesto : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmCercaTesto(const Contesto &contesto, QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();

    // The program folder (where the index lies), the archive file and the
    // archive's name.
    void impostaArchivio(const QString &cartellaProgramma, const QString &percorsoArchivio, const QString &nome);
    // The position of the page chosen by a double click; 0 when none was.
    int posizioneScelta() const { return m_posizione; }

    QLineEdit *txtParole = nullptr;
    QPushButton *btnCerca = nullptr;
    QListWidget *lstRecords = nullptr;
    QLabel *lblTrovate = nullptr;
    QPushButton *btnChiudi = nullptr;

protected:
    void FormShow() override;

private:
    const Contesto &m_contesto;
    void btnCercaClick();
    void lstRecordsDoppioClic();

    QString m_cartella;
    QString m_percorso;
    QString m_nome;
    int m_posizione = 0;
};

extern const QString kMessaggioNessunaParola;
// What the count names as searched when the words typed were more than a
// search takes ("le parole cercate" otherwise).
extern const QString kParoleRidotte;
// The most lines a search lists.
extern const int kMassimoElencate;
