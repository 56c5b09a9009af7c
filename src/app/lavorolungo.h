#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <functional>

class QProgressDialog;
class QWidget;

// Long work that runs inside a click without freezing the program. The work
// goes step by step and calls avanza() after each step; every few hundredths
// of a second that lets the event loop run, so the windows keep painting.
// For the first half second the pointer shows the wait and no input reaches
// any window; past it a modal progress window (the toolkit's own) shows the
// step reached and "Annulla". Once "Annulla", Escape or the window's close
// is chosen, avanza() answers false and the work stops and undoes what it
// began. Short work never shows the window.
class LavoroLungo
{
public:
    // testo names the work and its steps with %1 (the step reached) and %2
    // (the steps in all): "Stampa in corso: pagina %1 di %2". attesaMs is
    // the wait before the progress window appears (the run's context says
    // it); at 0 the window comes at the first step and the event loop runs
    // after every step, which is how tests see it.
    LavoroLungo(QWidget *proprietario, QString titolo, QString testo, int totale, int attesaMs);
    ~LavoroLungo();
    LavoroLungo(const LavoroLungo &) = delete;
    LavoroLungo &operator=(const LavoroLungo &) = delete;

    // fatti steps are done. False once the user has cancelled.
    bool avanza(int fatti);
    bool annullato() const { return m_annullato; }
    // As a function for the layers that know nothing of windows.
    std::function<bool(int)> passo()
    {
        return [this](int fatti) { return avanza(fatti); };
    }

private:
    void mostra();

    QPointer<QWidget> m_proprietario;
    QString m_titolo;
    QString m_testo;
    int m_totale;
    int m_attesaMs;
    QElapsedTimer m_inizio;
    qint64 m_ultimoGiro = 0;
    QProgressDialog *m_finestra = nullptr;
    bool m_cursore = false;
    bool m_annullato = false;
};
