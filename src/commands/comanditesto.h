#pragma once

#include "ocr/letturatesto.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class Contesto;
class DocumentoArchivio;
class IndiceTesti;
class LetturaArchivio;
class LetturaPagina;
struct EsitoLettura;
class QAction;
class QProgressDialog;
class QWidget;

// The commands on the text of the pages, on the open archive: recognise the
// page on screen (filling the incipit, line count and language where they
// are empty), find pages by their words, recognise the whole archive in the
// background, and export the archive as a searchable PDF. The recognised
// text of the page on screen is written to the text index when the record
// is saved.
//
// They work on the document and never on the window that holds them: the
// window tells them which picture is on screen and when its record was
// saved, places their actions, and shows what they announce (a line for the
// information bar, the fields a recognition fills). A page found by its
// words is shown through the document. Their own windows (progress, file
// choice, search) open over the window they were given, and they reach the
// user through the context they were given.
class ComandiTesto : public QObject
{
    Q_OBJECT
public:
    ComandiTesto(DocumentoArchivio &documento, const Contesto &contesto, QWidget *finestra);
    ~ComandiTesto() override;

    // The commands, in the order of the scan picture's context menu; their
    // keys work anywhere in the window that holds them.
    QList<QAction *> azioni() const;

    // The picture on screen changed; a null picture while the screen shows
    // no scan of its own (the placeholder).
    void fotoSulloSchermo(const QImage &foto);
    // A page just acquired from the scanner, already the picture on screen,
    // is read in the background, without a window: the user goes on typing,
    // and when the text is read the fields still empty are filled, if the
    // same picture is still on screen. Another picture stops the reading.
    void leggiAcquisita(const QImage &foto);
    // After Save has stored the record and written its scan: the text read
    // from the picture on screen goes to the index under that position.
    void paginaSalvata(int posizione);
    // The window closes: a background recognition stops where it is and
    // goes on next time.
    void ferma();

signals:
    // A line for the window's information bar.
    void stato(const QString &testo);
    // The incipit, line count and language the record on screen takes after
    // a recognition: what the user wrote stays, the text fills the rest.
    void campiLetti(const CampiLettura &campi);

private:
    void riconosciTesto();
    void cercaNelTesto();
    void riconosciArchivio();
    void esportaPdf();

    // The text index, opened when first needed; nullptr when it cannot be
    // used (the user has been told why, once, when `dire`).
    IndiceTesti *indice(bool dire = true);
    void archivioFinito(bool completa, const QString &messaggio);
    void diDanno();
    void acquisitaLetta(const EsitoLettura &esito);
    void applica(const EsitoLettura &esito, qint64 chiaveFoto);
    bool scriviNellIndice(int posizione, const QString &testo);
    QString scansione(int posizione) const;

    DocumentoArchivio &m_documento;
    const Contesto &m_contesto;
    QWidget *m_finestra;
    QList<QAction *> m_azioni;
    QImage m_foto;
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
