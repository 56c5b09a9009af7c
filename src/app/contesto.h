#pragma once

#include "app/dialoghifile.h"
#include "app/messaggi.h"
#include "storage/sostituzionefile.h"

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

// The long-lived windows, for the windows that show one another.
enum class Permanente { Password, Avvio, ApriCatalogo, CambiaPassword, CreaCatalogo, Documenti };

// The print dialog's stand-in: it gets the printer as the dialog would show
// it, may change it (an output file, a page range) and returns true to
// print, false to cancel.
using RispondiStampa = std::function<bool(QPrinter &)>;

// What the windows and commands of one run share, made once by start-up
// and handed to every window it makes (and by each window to the dialogs it
// opens): the program folder, the services that reach the user or the
// desktop, and the calls through which files reach the disk. Nothing here
// is looked up globally, so a test gives a window a context of its own with
// stand-ins in place of the real boxes and dialogs.
//
// Each service without a stand-in is the real one.
class Contesto
{
public:
    explicit Contesto(const QString &cartellaProgramma = QString());
    Contesto(const Contesto &) = delete;
    Contesto &operator=(const Contesto &) = delete;

    // The folder of the executable, where every file of the program lives
    // (archives, scans, attachments, password store, export, manual).
    // Always ends with '/', so paths are built by plain concatenation.
    const QString &cartella() const { return m_cartella; }
    void impostaCartellaProgramma(const QString &cartella);

    // The message box (app/messaggi.h tells the kinds apart).
    int messaggio(const QString &testo, TipoMessaggio tipo, PulsantiMessaggio pulsanti) const;
    void messaggio(const QString &testo) const;
    void avviso(const QString &testo) const;
    void errore(const QString &testo) const;
    void informazione(const QString &testo) const;
    // True unless the user answered No.
    bool conferma(const QString &testo) const;
    void impostaRispostaMessaggi(RispondiMessaggio risposta) { m_messaggi = std::move(risposta); }

    // The open and save file dialogs: the chosen path, empty on cancel.
    QString scegliFile(QWidget *proprietario, const RichiestaFile &richiesta) const;
    void impostaRispostaFile(RispondiFile risposta) { m_file = std::move(risposta); }

    // Empty while the real print dialog answers.
    const RispondiStampa &rispostaStampa() const { return m_stampa; }
    void impostaRispostaStampa(RispondiStampa risposta) { m_stampa = std::move(risposta); }

    // The system calls the windows' writes go through (the system's own
    // unless a test made them fail).
    const ChiamateDisco &chiamateDisco() const { return m_disco; }
    void impostaChiamateDisco(const ChiamateDisco &chiamate) { m_disco = chiamate; }

    // How long long work runs before its progress window shows.
    int attesaLavoroLungo() const { return m_attesaMs; }
    void impostaAttesaLavoroLungo(int millisecondi);

    // Shows a long-lived window (maximised or centred) and brings it to the
    // front; start-up, which makes them, says how (impostaFinestre).
    void mostraFinestra(Permanente quale) const;
    void impostaFinestre(std::function<void(Permanente)> mostra) { m_mostra = std::move(mostra); }

    // Ends the program. The three ways out (the login's "Esci", the
    // launcher's exit icon and its close box) all come here; without a
    // handler of its own the event loop stops.
    void termina() const;
    void impostaTerminazione(std::function<void()> termina) { m_termina = std::move(termina); }

private:
    QString m_cartella;
    RispondiMessaggio m_messaggi;
    RispondiFile m_file;
    RispondiStampa m_stampa;
    ChiamateDisco m_disco = chiamateDiSistema();
    int m_attesaMs = 500;
    std::function<void(Permanente)> m_mostra;
    std::function<void()> m_termina;
};
