#pragma once

#include <array>
#include <memory>

class Contesto;
class FinestraPermanente;
class TfrmPassword;
class TfrmAvvio;
class TfrmApriCatalogo;
class TfrmCambiaPassword;
class TfrmCreaCatalogo;
class TfrmDocumenti;

// The long-lived windows start-up makes, in creation order, and the context
// they were handed. The dialogs are not among them: each opening makes its
// own (see apriDialogo). Only start-up (and the tests that drive it) knows
// every window: the windows themselves reach one another through the
// context's mostraFinestra() and through the signals start-up connects.
struct Finestre {
    TfrmPassword *frmPassword = nullptr;
    TfrmAvvio *frmAvvio = nullptr;
    TfrmApriCatalogo *frmApriCatalogo = nullptr;
    TfrmCambiaPassword *frmCambiaPassword = nullptr;
    TfrmCreaCatalogo *frmCreaCatalogo = nullptr;
    TfrmDocumenti *frmDocumenti = nullptr;
    // The same again, by Permanente.
    std::array<FinestraPermanente *, 6> permanenti{};
    // The context the windows work with, and start-up's own one when the
    // caller gave none.
    Contesto *contesto = nullptr;
    std::unique_ptr<Contesto> contestoProprio;
};

Finestre &finestre();

inline TfrmPassword *frmPassword() { return finestre().frmPassword; }
inline TfrmAvvio *frmAvvio() { return finestre().frmAvvio; }
inline TfrmApriCatalogo *frmApriCatalogo() { return finestre().frmApriCatalogo; }
inline TfrmCambiaPassword *frmCambiaPassword() { return finestre().frmCambiaPassword; }
inline TfrmCreaCatalogo *frmCreaCatalogo() { return finestre().frmCreaCatalogo; }
inline TfrmDocumenti *frmDocumenti() { return finestre().frmDocumenti; }
