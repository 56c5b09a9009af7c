#pragma once

#include "app/finestra.h"
#include "document/documentoarchivio.h"
#include "document/salvataggio.h"
#include "storage/schedapagina.h"
#include "storage/valorischeda.h"

#include <QImage>

#include <array>

class ComandiTesto;
class Contesto;
struct CampiLettura;
class QAction;
struct SchedaFoglio;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class VistaImmagine;

// The page editor: one record of the current archive at a time, with its
// scan, and every command that works on the archive.
//
// The archive and the record on screen are a document (documento()): the
// editor shows what it holds and hands it what the user types and asks for;
// the windows it opens get what they need from it as values when they open
// and hand back what they produced. The labels of the design stay, but only
// for the eye: lblNome shows the archive's name on the name bar and
// lblPosizione the position; lblFile and the six attachment labels
// (lblFile01..lblFile03, lblDesc01..lblDesc03) carry nothing.
class TfrmDocumenti : public FinestraPermanente
{
    Q_OBJECT
public:
    explicit TfrmDocumenti(const Contesto &contesto, QWidget *parent = nullptr);

    static AspettoFinestra aspetto();

    // Puts a stored record and its position on screen and loads its scan
    // (the placeholder when it has none). A flag of neither value leaves the
    // check box as it was; focus and status line are not touched.
    void MostraScheda(const TSchedaPagina &scheda, int posizione);
    // Clears the screen for a new record: fields, check box, attachments,
    // placeholder picture, empty position, focus in the title.
    void PulisciScheda();

    // Loads the scan of the record on screen (by the archive's name and the
    // position) into the picture; the placeholder when it cannot be read.
    void LeggiFotoPagina();
    // Writes the picture to the scan file of the record on screen. False when
    // it could not be written; the picture on screen stays as it was, so the
    // user can still save it again.
    bool ScriviFotoPagina();

    // The scan picture on screen (imgFoto), as a copy.
    QImage foto() const;
    // Puts a picture on screen; jpegOriginale, when given, holds the JPEG
    // bytes it was decoded from, which Save writes back instead of encoding
    // the picture again, for as long as this picture stays on screen.
    void impostaFoto(const QImage &foto, const QByteArray &jpegOriginale = QByteArray());
    // The placeholder that stands for a page without a scan (307 x 409).
    QImage fotoSegnaposto() const;

    // The text field of one of the 21 descriptive fields (Titolo .. Note);
    // nullptr for the flag and the attachments, which are not text fields.
    QLineEdit *campo(Campo campo) const;
    // The screen as plain values, as Save stores it.
    ValoriScheda valoriSchermo() const;

    // Makes the archive current (full path of the file and its name) and
    // shows the editor on a new record.
    void apriArchivio(const QString &percorso, const QString &nome);
    // The current archive, trimmed; empty before one is opened.
    QString percorsoArchivio() const;
    QString nomeArchivio() const;
    // Position of the record on screen, from 1; 0 while it is a new record.
    int posizioneCorrente() const;
    ValoriAllegati allegati() const;
    // Stores the values trimmed, as the record will keep them.
    void impostaAllegati(const ValoriAllegati &valori);

    // The open archive and the record on screen.
    DocumentoArchivio &documento() const { return *m_documento; }

protected:
    void FormShow() override;
    void FormClose() override;

private:
    const Contesto &m_contesto;
    void creaComandi(QWidget *pannello);
    // The commands of commands/ on the document, their actions on the scan
    // picture's context menu and what they announce shown here.
    void creaComandiArchivio();
    // A command of the scan picture's context menu; its keys work anywhere
    // in the editor.
    void aggiungiComandoFoto(QAction *azione);
    // Writes the status line at the bottom of the window.
    void impostaStato(const QString &testo);
    // A recognition's incipit, line count and language in their fields.
    void mostraCampiLetti(const CampiLettura &campi);
    void collegaComando(const char *nome, void (TfrmDocumenti::*gestore)());

    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void cmdTrovaClick();
    void cmdFileClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdDaCompletareClick();
    void cmdEsportaClick();
    void cmdSlideshowClick();
    void cmdGuidaClick();
    void cmdEsciClick();
    void btnCaricaFotoClick();
    void btnSalvaFotoClick();
    void btnCancFotoClick();
    void btnZoomFotoClick();

    // The screen as the print and preview windows take it.
    SchedaFoglio schedaFoglio() const;
    void naviga(Navigazione verso);
    // Writes the screen into the archive, asking before it overwrites what
    // another program wrote there since it was shown; false when nothing was
    // written (the refusal already reported).
    bool salvaInArchivio();
    // The JPEG bytes of the picture on screen; empty when it has none or
    // has changed since they were given.
    QByteArray jpegFoto() const;

    // The document's record, archive and position put on screen.
    void mostraNome();
    void mostraPosizioneCorrente();
    void mostraValori();
    // What the user typed, handed to the document.
    void schermoModificato();

    QLabel *lblNome = nullptr;
    QLabel *lblFile = nullptr;
    QLabel *lblPosizione = nullptr;
    QLabel *lblFile01 = nullptr;
    QLabel *lblFile02 = nullptr;
    QLabel *lblFile03 = nullptr;
    QLabel *lblDesc01 = nullptr;
    QLabel *lblDesc02 = nullptr;
    QLabel *lblDesc03 = nullptr;
    QCheckBox *chkDaCompletare = nullptr;
    VistaImmagine *imgFoto = nullptr;
    VistaImmagine *imgBianco = nullptr;
    // The status line, which the hover hints write.
    QLabel *panInfo = nullptr;
    std::array<QLineEdit *, kCampiDescrittivi> m_campi{};
    QPushButton *btnFocus = nullptr;
    DocumentoArchivio *m_documento = nullptr;
    // Set while the editor itself fills the fields from the document, which
    // is no edit of the user's.
    bool m_mostrando = false;
    // The record's scan file exists but could not be read, and the screen
    // shows the placeholder in its place: saving must not write the
    // placeholder over the user's scan. Any picture put on screen since
    // (a loaded scan, the remove command) clears it.
    bool m_fotoIlleggibile = false;
    ComandiTesto *m_testo = nullptr;
    // The JPEG bytes of the picture on screen, and the key of the picture
    // they belong to: a scan saved unchanged keeps its file byte for byte
    // instead of losing a little quality at every save.
    QByteArray m_jpegFoto;
    qint64 m_chiaveJpegFoto = 0;
};
