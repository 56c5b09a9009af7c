#pragma once

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolBar;
class Report;
class VistaPagine;

// The preview of a prepared report: modal, maximised, the pages one under
// the other at 100 %, each painted only once it comes into view. Its tool
// bar fits the width or the page, zooms, goes to the first, previous, next
// and last page or to a page by number, prints, switches to full screen and
// closes; Escape closes too. Printing is the caller's: it connects
// actStampa.
class FinestraAnteprima : public QDialog
{
    Q_OBJECT

public:
    FinestraAnteprima(const Report &report, const QString &titolo, QWidget *proprietario = nullptr);
    ~FinestraAnteprima() override;

    VistaPagine *vista() const { return m_vista; }
    QToolBar *barra() const { return m_barra; }
    QAction *actStampa = nullptr;
    QAction *actSchermoIntero = nullptr;
    QAction *actChiudi = nullptr;

private:
    QAction *azione(const QString &testo, const char *nome, const char *tema = nullptr,
                    const char *risorsa = nullptr);
    void aggiornaPagina(int indice);
    void aggiornaZoom(double zoom);

    VistaPagine *m_vista = nullptr;
    QToolBar *m_barra = nullptr;
    QAction *m_larghezza = nullptr;
    QAction *m_pagina = nullptr;
    QAction *m_prima = nullptr;
    QAction *m_precedente = nullptr;
    QAction *m_successiva = nullptr;
    QAction *m_ultima = nullptr;
    QComboBox *m_zoom = nullptr;
    QLineEdit *m_numero = nullptr;
    QLabel *m_di = nullptr;
};
