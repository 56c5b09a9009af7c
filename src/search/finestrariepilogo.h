#pragma once

#include "app/finestra.h"
#include "search/rigariepilogo.h"
#include "storage/archiviopagine.h"

class Report;

#include <QStringList>
#include <QVector>

#include <memory>

class Contesto;
class ModelloRighe;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

// What the result panel of a window shows besides its list.
struct PannelloRisultati {
    QString banner;         // resource of the banner picture
    QString istruzioni;     // resource of the instruction picture
    QString doppioClic;     // the crimson line under the list
    bool rigaConteggio;     // the count line lblTrovate between the buttons
    QString testoBanner;    // what the banner says, and the name of the list,
    QString nomeElenco;     // for assistive technology
};

// What the search and the to-complete windows share: the result panel with
// its find field, the sorted list of summary lines, the find-next walk and
// the double click that opens a record in the editor.
//
// The opener names the archive (impostaArchivio) before showing the window:
// the list comes from it, and a chosen record's position goes back through
// schedaScelta. A window given no archive lists nothing.
class FinestraRiepilogo : public FinestraDialogo
{
    Q_OBJECT
public:
    // Whether opening a line may write into the editor (see ApriSchedaDaRiga).
    virtual bool scriveInEditore() const = 0;
    // Hands the position of a chosen record (from 1) to whoever opened the
    // window, through schedaScelta.
    void scegliScheda(int posizione);
    ~FinestraRiepilogo() override;

    const Contesto &contesto() const { return m_contesto; }
    // The title the list report is printed with.
    const QString &titoloStampa() const { return m_titoloStampa; }
    // The window's own list report, defined when first asked for.
    Report &frxReport() const;

    ModelloRighe *modello() const { return m_modello; }
    // The selected entry, -1 for none.
    int voceSelezionata() const;
    void selezionaVoce(int riga);

    // The archive to list: full path of the file and its name.
    void impostaArchivio(const QString &percorso, const QString &nome);
    const QString &percorsoArchivio() const { return m_percorsoArchivio; }
    const QString &nomeArchivio() const { return m_nomeArchivio; }
    // A walk over that archive: each run opens the file, visits every record
    // in file order and closes it again; a missing file is created empty.
    // Throws ErroreArchivio.
    PercorsoSchede archivioEditore() const;

    QWidget *panContainer = nullptr; // result panel, 833 x 529
    QLineEdit *txtTrova = nullptr;
    QPushButton *btnTrova = nullptr;
    QListView *lstRecords = nullptr;
    QPushButton *btnChiudi = nullptr;
    QPushButton *btnStampa = nullptr;
    QLabel *lblTrovate = nullptr; // only where the panel has a count line

signals:
    // A line was opened: the position (from 1) of the record behind it.
    void schedaScelta(int posizione);

protected:
    FinestraRiepilogo(const Contesto &contesto, const AspettoFinestra &aspetto, QWidget *proprietario,
                      const QString &titoloStampa);

    // Fills the result panel panContainer.
    void costruisciRisultati(const PannelloRisultati &contenuto);
    // Sorts the lines once and hands them to the list in one go, then sets
    // the wide items and the scroll bars.
    void riempiLista(ElencoRighe righe);
    // A new window starts a new walk: the last find text and the find field
    // are emptied.
    void azzeraTrova();

    void done(int risultato) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void btnTrovaClick();

    const Contesto &m_contesto;
    // The find text of the last find-next, where the next one goes on from.
    QString m_ultimoTrova;
    QString m_titoloStampa;
    QString m_percorsoArchivio;
    QString m_nomeArchivio;
    mutable std::unique_ptr<Report> m_frxReport;
    ModelloRighe *m_modello = nullptr;
};
