#pragma once

#include <array>
#include <functional>

class FinestraPermanente;

// The long-lived windows, for the windows that show one another.
enum class Permanente { Password, Avvio, ApriCatalogo, CambiaPassword, CreaCatalogo, Documenti };

// Windows of one area show those of another through mostraFinestra(), which
// needs none of their classes: start-up, which makes them, hands them over
// here by Permanente (an empty set as it destroys them).
using FinestrePermanenti = std::array<FinestraPermanente *, 6>;
void impostaPermanenti(const FinestrePermanenti &finestre);

// Shows a long-lived window (maximised or centred) and brings it to the front.
void mostraFinestra(Permanente quale);

// Ends the program. The three ways out (the login's "Esci", the launcher's
// exit icon and its close box) all come here; what ending means is start-up's
// to say (impostaTerminazione), and without it the event loop stops.
void terminaProgramma();
void impostaTerminazione(std::function<void()> termina);
