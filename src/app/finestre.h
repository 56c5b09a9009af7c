#pragma once

#include <array>
#include <functional>

class FinestraPermanente;

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

// The long-lived windows, for the windows that show one another.
enum class Permanente { Password, Avvio, ApriCatalogo, CambiaPassword, CreaCatalogo, Documenti };

// The window set made at start-up, in creation order; the dialog instances
// made at start-up are never shown (each opening makes its own, see
// apriDialogo). Windows of one area show those of another through
// mostraFinestra(), which needs none of their classes.
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
    std::array<FinestraPermanente *, 6> permanenti{};
};

Finestre &finestre();

inline TfrmPassword *frmPassword() { return finestre().frmPassword; }
inline TfrmAvvio *frmAvvio() { return finestre().frmAvvio; }
inline TfrmApriCatalogo *frmApriCatalogo() { return finestre().frmApriCatalogo; }
inline TfrmCambiaPassword *frmCambiaPassword() { return finestre().frmCambiaPassword; }
inline TfrmCreaCatalogo *frmCreaCatalogo() { return finestre().frmCreaCatalogo; }
inline TfrmDocumenti *frmDocumenti() { return finestre().frmDocumenti; }

// Shows a long-lived window (maximised or centred) and brings it to the front.
void mostraFinestra(Permanente quale);

// Ends the program. The three ways out (the login's "Esci", the launcher's
// exit icon and its close box) all come here; what ending means is start-up's
// to say (impostaTerminazione), and without it the event loop stops.
void terminaProgramma();
void impostaTerminazione(std::function<void()> termina);
