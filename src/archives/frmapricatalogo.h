#pragma once

#include "app/finestra.h"

class Contesto;

class QLabel;
class QListWidget;
class VistaImmagine;

// Lists the archives of the program folder; opens one in the page editor
// or deletes one. Every way of closing goes through FormClose, which reads
// the route word in lblMemory: "avvio" back to the launcher, "documenti" on
// to the editor with the selected archive, through archivioScelto, which
// start-up connects to the editor.
class TfrmApriCatalogo : public FinestraPermanente
{
    Q_OBJECT
public:
    explicit TfrmApriCatalogo(const Contesto &contesto, QWidget *parent = nullptr);

    static AspettoFinestra aspetto();

    QListWidget *lstFiles = nullptr;
    QLabel *lblCreati = nullptr;
    VistaImmagine *btnApri = nullptr;
    VistaImmagine *btnAnnulla = nullptr;
    VistaImmagine *btnElimina = nullptr;
    VistaImmagine *imgGuida = nullptr;
    QLabel *lblMemory = nullptr;
    QLabel *lblFile = nullptr;

signals:
    // The archive chosen to open: full path of the file and its name.
    void archivioScelto(const QString &percorso, const QString &nome);

protected:
    void FormShow() override;
    void FormClose() override;

private:
    const Contesto &m_contesto;
    void costruisciElenco();
    // The entry the user selected, or an empty text.
    QString voceScelta() const;

    void btnApriClick();
    void btnEliminaClick();
    void btnAnnullaClick();
    void imgGuidaClick();
};
