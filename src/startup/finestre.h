#pragma once

#include "app/finestre.h"

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

// The window set made at start-up, in creation order; the dialog instances
// made at start-up are never shown (each opening makes its own, see
// apriDialogo). Only start-up (and the tests that drive it) knows every
// window: the windows themselves reach one another through mostraFinestra()
// and through the signals start-up connects.
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
    // The long-lived ones again, by Permanente.
    FinestrePermanenti permanenti{};
};

Finestre &finestre();

inline TfrmPassword *frmPassword() { return finestre().frmPassword; }
inline TfrmAvvio *frmAvvio() { return finestre().frmAvvio; }
inline TfrmApriCatalogo *frmApriCatalogo() { return finestre().frmApriCatalogo; }
inline TfrmCambiaPassword *frmCambiaPassword() { return finestre().frmCambiaPassword; }
inline TfrmCreaCatalogo *frmCreaCatalogo() { return finestre().frmCreaCatalogo; }
inline TfrmDocumenti *frmDocumenti() { return finestre().frmDocumenti; }
