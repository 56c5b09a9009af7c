#pragma once

class TfrmPassword;
class TfrmAvvio;
class TfrmApriCatalogo;
class TfrmCambiaPassword;
class TfrmCreaCatalogo;
class TfrmGuida;
class TfrmInfo;
class TfrmSplash;
class TfrmDocumenti;
class TfrmZoom;
class TfrmAllegaCartella;
class TfrmSlideshow_Documenti;
class TfrmRiepDaCompletare;
class TfrmExpDocumenti;
class TfrmTrovaPagine;
class TfrmAnteprimaPagina;
class TfrmStampaPagina;

// The window set made at start-up, in creation order. Windows reach the
// long-lived ones through these names; the dialog instances made at
// start-up are never shown (each opening makes its own, see apriDialogo).
struct Finestre {
    TfrmPassword *frmPassword = nullptr;
    TfrmAvvio *frmAvvio = nullptr;
    TfrmApriCatalogo *frmApriCatalogo = nullptr;
    TfrmCambiaPassword *frmCambiaPassword = nullptr;
    TfrmCreaCatalogo *frmCreaCatalogo = nullptr;
    TfrmGuida *frmGuida = nullptr;
    TfrmInfo *frmInfo = nullptr;
    TfrmSplash *frmSplash = nullptr;
    TfrmDocumenti *frmDocumenti = nullptr;
    TfrmZoom *frmZoom = nullptr;
    TfrmAllegaCartella *frmAllegaCartella = nullptr;
    TfrmSlideshow_Documenti *frmSlideshow_Documenti = nullptr;
    TfrmRiepDaCompletare *frmRiepDaCompletare = nullptr;
    TfrmExpDocumenti *frmExpDocumenti = nullptr;
    TfrmTrovaPagine *frmTrovaPagine = nullptr;
    TfrmAnteprimaPagina *frmAnteprimaPagina = nullptr;
    TfrmStampaPagina *frmStampaPagina = nullptr;
};

Finestre &finestre();

inline TfrmPassword *frmPassword() { return finestre().frmPassword; }
inline TfrmAvvio *frmAvvio() { return finestre().frmAvvio; }
inline TfrmApriCatalogo *frmApriCatalogo() { return finestre().frmApriCatalogo; }
inline TfrmCambiaPassword *frmCambiaPassword() { return finestre().frmCambiaPassword; }
inline TfrmCreaCatalogo *frmCreaCatalogo() { return finestre().frmCreaCatalogo; }
inline TfrmDocumenti *frmDocumenti() { return finestre().frmDocumenti; }

// Ends the program: stops the event loop. The three ways out (the login's
// "Esci", the launcher's exit icon and its close box) all come here.
void terminaProgramma();
