#pragma once

#include "app/finestra.h"

class Contesto;
class ModelloEsportazione;
class QLabel;
class QTableView;
class VistaImmagine;

// The whole archive the opener names in a grid, and its export to the
// spreadsheet file in the program folder. Cells of the descriptive columns
// take typing; what is typed goes to the file, never to the archive.
class TfrmExpDocumenti : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmExpDocumenti(const Contesto &contesto, QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();

    // The archive file to show, given before the window is shown; without
    // one the grid stays empty.
    void impostaArchivio(const QString &percorso) { m_archivio = percorso; }

    ModelloEsportazione *modello() const { return m_modello; }

    QTableView *grdRecords = nullptr;
    QLabel *panInfo = nullptr;
    VistaImmagine *cmdEsporta = nullptr;
    VistaImmagine *cmdGuida = nullptr;
    VistaImmagine *cmdEsci = nullptr;

protected:
    void FormShow() override;

private:
    const Contesto &m_contesto;
    void creaGriglia(QWidget *pannello);
    void cmdEsportaClick();
    void cmdGuidaClick();

    ModelloEsportazione *m_modello = nullptr;
    QString m_archivio;
};
