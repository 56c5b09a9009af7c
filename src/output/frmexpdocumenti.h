#pragma once

#include "app/finestra.h"

class ModelloEsportazione;
class QLabel;
class QTableView;
class VistaImmagine;

// The whole archive of the editor in a grid, and its export to the
// spreadsheet file in the program folder. Cells of the descriptive columns
// take typing; what is typed goes to the file, never to the archive.
class TfrmExpDocumenti : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmExpDocumenti(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();

    ModelloEsportazione *modello() const { return m_modello; }

    QTableView *grdRecords = nullptr;
    QLabel *panInfo = nullptr;
    VistaImmagine *cmdEsporta = nullptr;
    VistaImmagine *cmdGuida = nullptr;
    VistaImmagine *cmdEsci = nullptr;

protected:
    void FormShow() override;

private:
    void creaGriglia(QWidget *pannello);
    void cmdEsportaClick();
    void cmdGuidaClick();

    ModelloEsportazione *m_modello = nullptr;
};
