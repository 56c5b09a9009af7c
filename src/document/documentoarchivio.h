#pragma once

#include "document/navigazione.h"
#include "storage/archiviopagine.h"
#include "storage/schedapagina.h"
#include "storage/valorischeda.h"

#include <QObject>
#include <QString>

#include <optional>

// The record a save writes: every text stored trimmed and cut to its field,
// the flag as "Sì" or "No".
TSchedaPagina componiScheda(const ValoriScheda &valori);

// The open archive and the record on screen: which file, under which name,
// the position shown (none while the screen is a new record), the record as
// it was stored and as the screen has it now. Whoever shows it listens to
// its signals; whoever acts on it calls its commands, which report what
// happened by their result and leave every message to the window.
//
// The file is reached only through the document: each command opens it,
// works and closes it before returning. A command that only reads opens it
// for reading only, so an archive the user may only read still reads; a
// write holds the archive's lock.
class DocumentoArchivio : public QObject
{
    Q_OBJECT
public:
    // cartellaProgramma ends with '/': the scans are found under it.
    explicit DocumentoArchivio(const QString &cartellaProgramma, QObject *parent = nullptr);

    QString cartella() const { return m_cartella; }
    void impostaCartellaProgramma(const QString &cartella) { m_cartella = cartella; }

    // Makes an archive current (the full path of its file and its name,
    // both kept trimmed) with a new, empty record on screen.
    void apri(const QString &percorso, const QString &nome);
    QString percorso() const { return m_percorso; }
    QString nome() const { return m_nome; }

    // The position of the stored record on screen, from 1; none while the
    // screen is a new record, which nothing else marks.
    std::optional<int> posizione() const { return m_posizione; }
    bool nuova() const { return !m_posizione.has_value(); }
    // The scan file of the record on screen ("..._Foto_.jpg" for a new one).
    QString percorsoFoto() const;

    // The record as the screen has it (texts as typed) and as it was put on
    // screen by the last show, clear, duplicate or save.
    const ValoriScheda &valoriSchermo() const { return m_schermo; }
    const ValoriScheda &valoriArchiviati() const { return m_archiviati; }
    // The stored bytes of the record on screen, as they were read or last
    // written: a save that finds other bytes there was overtaken.
    const std::optional<TSchedaPagina> &schedaArchiviata() const { return m_schedaArchiviata; }
    // Whether the screen differs from what was put on it.
    bool modificata() const { return !(m_schermo == m_archiviati); }

    // What the user typed, the check box and the attachments, as the screen
    // now has them.
    void impostaValoriSchermo(const ValoriScheda &valori);
    // The attachments, stored trimmed as the record will keep them.
    void impostaAllegati(const ValoriAllegati &allegati);

    enum class Esito {
        Mostrata, // a record is on screen (navigation, show)
        Nessuno, // nothing happened, silently
        ArchivioVuoto, // the archive holds no record; the screen is as it was
        Aggiunta, // saved as a new record at the end
        Sovrascritta, // the stored record on screen was overwritten
        CambiataAltrove, // another program changed the stored record since it
                         // was shown: nothing written (see sovrascriviCambiata)
        BloccoRifiutato, // the system refused the write lock: nothing written
        ErroreAccesso, // the file could not be opened, read or written
    };

    // One arrow: reads the archive for reading only and shows the record it
    // leads to. The screen is unchanged unless a record is shown (or Next
    // finds the archive empty, which makes the screen a new record).
    Esito naviga(Navigazione verso);
    // Reads the stored record at a position and shows it.
    Esito mostraPosizione(int posizione);
    // Shows a record already read at its position: the flag, when neither
    // "Sì" nor "No", leaves the screen's check box as it was.
    void mostraScheda(const TSchedaPagina &scheda, int posizione);
    // The screen becomes a new, empty record.
    void pulisci();
    // The stored record on screen becomes a new one that keeps its texts and
    // flag, without attachments. False (nothing changed) on a new record.
    bool duplica();

    // Reading the current archive for a command that works on its records
    // (reading only; each call opens the file and closes it again). Throw
    // ErroreArchivio. A walk visits every record in file order.
    int contaSchede() const;
    TSchedaPagina leggiScheda(int posizione) const;
    PercorsoSchede schede() const;

    // Writes the screen: over the stored record on screen, or after the last
    // one for a new record, which then becomes that stored record.
    Esito salva();
    // After CambiataAltrove: overwrites what the other program wrote, as
    // long as it has not changed again meanwhile (else CambiataAltrove
    // again).
    Esito sovrascriviCambiata();

signals:
    // Another archive (path and name) is current.
    void archivioCambiato();
    // The position shown changed (a new record has none).
    void posizioneCambiata();
    // A stored record was put on screen: fields, flag, attachments, scan.
    void schedaMostrata();
    // The screen became a new empty record.
    void schedaPulita();
    // The screen became a new record keeping its texts and flag.
    void schedaDuplicata();
    // The screen was written at its position (appended when nuova).
    void schedaSalvata(int posizione, bool nuova);
    // The screen started or stopped differing from what was put on it.
    void modificataCambiata(bool modificata);

private:
    void impostaPosizione(std::optional<int> posizione);
    // Puts values on screen as the reference the edits are measured from.
    void impostaArchiviati(const ValoriScheda &valori);
    Esito scrivi(const std::optional<TSchedaPagina> &attesa);

    QString m_cartella;
    QString m_percorso;
    QString m_nome;
    std::optional<int> m_posizione;
    ValoriScheda m_schermo;
    ValoriScheda m_archiviati;
    std::optional<TSchedaPagina> m_schedaArchiviata;
    // What a save found in place of m_schedaArchiviata.
    std::optional<TSchedaPagina> m_trovataAltrove;
};
