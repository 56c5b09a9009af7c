#pragma once

#include <functional>

class QWidget;

// Runs azione when the toolkit first polishes the control: its window
// opens, or its look or size is first asked for. Work on the controls of a
// window made hidden at start-up (reading a style sheet, measuring a text)
// then waits until the window is used; on a control already polished azione
// runs at once.
void allaRifinitura(QWidget *controllo, std::function<void()> azione);
