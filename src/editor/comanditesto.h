#pragma once

#include <QObject>
#include <QString>

#include <memory>

class Contesto;
class IndiceTesti;
class LetturaArchivio;
class LetturaPagina;
struct EsitoLettura;
class QAction;
class QProgressDialog;
class TfrmDocumenti;

// The editor's commands on the text of the pages, in the scan picture's
// context menu and on their keys: recognise the page on screen (filling the
// incipit, line count and language where they are empty), find pages by
// their words, recognise the whole archive in the background, and export
// the archive as a searchable PDF. The recognised text of the page on
// screen is written to the text index when the record is saved.
class ComandiTesto : public QObject
{
    Q_OBJECT
public:
    ComandiTesto(TfrmDocumenti *editor, const Contesto &contesto);
    ~ComandiTesto() override;

    QAction *actRiconosciTesto = nullptr;
    QAction *actCercaNelTesto = nullptr;
    QAction *actRiconosciArchivio = nullptr;
    QAction *actEsportaPdf = nullptr;

    // After Save has stored the record and written its scan: the text read
    // from the picture on screen goes to the index under that position.
    void paginaSalvata(int posizione);
    // The screen holds another picture or another record: a text read
    // before belongs to neither.
    void dimentica();
    // The editor closes: a background recognition stops where it is and
    // goes on next time.
    void ferma();
    // A page just acquired is being read in the background.
    bool acquisitaInLettura() const;

    // The text index, opened when first needed; nullptr when it cannot be
    // used (the user has been told why, once, when `dire`).
    IndiceTesti *indice(bool dire = true);

    void riconosciTesto();
    void cercaNelTesto();
    void riconosciArchivio();
    void esportaPdf();

private:
    void archivioFinito(bool completa, const QString &messaggio);
    void diDanno();
    // A page acquired from the scanner is read in the background, without
    // a window: the user goes on typing, and when the text is read the
    // fields still empty are filled, if the same picture is still on
    // screen. Another picture stops the reading.
    void riconosciAcquisita();
    void acquisitaLetta(const EsitoLettura &esito);
    void applica(const EsitoLettura &esito, qint64 chiaveFoto);
    bool scriviNellIndice(int posizione, const QString &testo);

    TfrmDocumenti *m_editor;
    const Contesto &m_contesto;
    std::unique_ptr<IndiceTesti> m_indice;
    bool m_indiceDetto = false;
    std::unique_ptr<LetturaArchivio> m_archivio;
    QProgressDialog *m_avanzamentoArchivio = nullptr;
    QString m_testoLetto;
    qint64 m_chiaveFoto = 0;
    std::unique_ptr<LetturaPagina> m_acquisita;
    qint64 m_chiaveAcquisita = 0;
    // Saved while it was still being read: its text goes to the index then.
    struct PaginaAttesa {
        int posizione = 0;
        QString archivio;
        QString scansione;
        QString firma;
    };
    PaginaAttesa m_salvataAcquisita;
};

extern const QString kMessaggioSenzaScansione;
extern const QString kMessaggioPdfCreato;
