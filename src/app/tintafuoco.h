#pragma once

class QLineEdit;

// Gives a text field the focus tint: alice blue with a sky-blue border while
// it lacks the focus, yellow with the same border while it has it.
void applicaTintaFuoco(QLineEdit *campo);
